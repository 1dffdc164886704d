#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <utility>

#include "results/results_workbook.h"
#include "results/scratch_folder.h"
#include "results/scripted_yield.h"
#include "results/workbook_reader.h"
#include "support/environment.h"
#include "support/fixture_tree.h"

namespace quorvane {
namespace {

using testing::MakeList;
using testing::ScratchFolder;
using testing::ScriptedYield;
using testing::SheetXml;
using testing::TextCell;

double ColumnAWidth(const std::string& sheet) {
    std::smatch found;
    if (!std::regex_search(sheet, found,
                           std::regex("<col min=\"1\" max=\"1\" width=\"([0-9.]+)\"")))
        return 0;
    return std::stod(found[1]);
}

TEST(WorkbookExport, HeadingThenOneEntryPerRowAlwaysAsText) {
    ScratchFolder folder;
    const std::string file = folder.file("results.xlsx");
    const FolderList list = MakeList({"C:\\A", "C:\\B", "=1+2", "123", "TRUE", "a<b&c"});
    ScriptedYield window([](int) {});
    ASSERT_TRUE(WriteResultsWorkbook(list, file, &window).ok());
    EXPECT_GE(window.count(), 6);

    const std::string sheet = SheetXml(file, 1);
    EXPECT_NE(sheet.find(TextCell("A1", "Results")), std::string::npos) << sheet;
    EXPECT_NE(sheet.find(TextCell("A2", "C:\\A")), std::string::npos);
    EXPECT_NE(sheet.find(TextCell("A3", "C:\\B")), std::string::npos);
    EXPECT_NE(sheet.find(TextCell("A4", "=1+2")), std::string::npos);
    EXPECT_NE(sheet.find(TextCell("A5", "123")), std::string::npos);
    EXPECT_NE(sheet.find(TextCell("A6", "TRUE")), std::string::npos);
    EXPECT_NE(sheet.find(TextCell("A7", "a&lt;b&amp;c")), std::string::npos);
    EXPECT_EQ(sheet.find("<f>"), std::string::npos);
    EXPECT_EQ(sheet.find("<v>"), std::string::npos);
    EXPECT_EQ(SheetXml(file, 2), "");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"results.xlsx"});
}

TEST(WorkbookExport, ColumnIsFittedToTheWidestText) {
    ScratchFolder folder;
    const std::string shortList = folder.file("short.xlsx");
    const std::string longList = folder.file("long.xlsx");
    const std::string hugeList = folder.file("huge.xlsx");
    ASSERT_TRUE(WriteResultsWorkbook(MakeList({"/a"}), shortList).ok());
    ASSERT_TRUE(WriteResultsWorkbook(MakeList({"/a", std::string(60, 'W'), "/b"}), longList).ok());
    ASSERT_TRUE(WriteResultsWorkbook(MakeList({std::string(2000, 'x')}), hugeList).ok());

    const double heading = ColumnAWidth(SheetXml(shortList, 1));
    const double longest = ColumnAWidth(SheetXml(longList, 1));
    EXPECT_GE(heading, 7);  // "Results" fits
    EXPECT_LT(heading, 12);
    EXPECT_GT(longest, 60);  // sixty wide letters need more than sixty digit widths
    EXPECT_LT(longest, 130);
    EXPECT_LE(ColumnAWidth(SheetXml(hugeList, 1)), 256);
}

TEST(WorkbookExport, FullSheetGoesOnInAFurtherSheetUnderItsOwnHeading) {
    ScratchFolder folder;
    const std::string file = folder.file("results.xlsx");
    ASSERT_TRUE(
        WriteResultsWorkbook(MakeList({"/1", "/2", "/3", "/4", "/5"}), file, nullptr, 3).ok());

    const std::string first = SheetXml(file, 1);
    const std::string second = SheetXml(file, 2);
    const std::string third = SheetXml(file, 3);
    EXPECT_NE(first.find(TextCell("A1", "Results") + "</row><row r=\"2\">" + TextCell("A2", "/1")),
              std::string::npos);
    EXPECT_NE(first.find(TextCell("A3", "/2")), std::string::npos);
    EXPECT_EQ(first.find("A4"), std::string::npos);
    EXPECT_NE(second.find(TextCell("A1", "Results")), std::string::npos);
    EXPECT_NE(second.find(TextCell("A2", "/3")), std::string::npos);
    EXPECT_NE(second.find(TextCell("A3", "/4")), std::string::npos);
    EXPECT_NE(third.find(TextCell("A1", "Results")), std::string::npos);
    EXPECT_NE(third.find(TextCell("A2", "/5")), std::string::npos);
    EXPECT_EQ(SheetXml(file, 4), "");
}

TEST(WorkbookExport, NamesThatWouldBreakOrAlterTheXmlAreWrittenSafely) {
    ScratchFolder folder;
    const std::string file = folder.file("results.xlsx");
    const FolderList list = MakeList({"/bad\xff\xfe", "/tab\x01\x1f", "/_x0041_", "/ärger"});
    ASSERT_TRUE(WriteResultsWorkbook(list, file).ok());

    const std::string sheet = SheetXml(file, 1);
    EXPECT_NE(sheet.find(TextCell("A2", "/bad\uFFFD\uFFFD")), std::string::npos) << sheet;
    EXPECT_NE(sheet.find(TextCell("A3", "/tab_x0001__x001F_")), std::string::npos);
    // The reader would take "_x0041_" for the letter A.
    EXPECT_NE(sheet.find(TextCell("A4", "/_x005F_x0041_")), std::string::npos);
    EXPECT_NE(sheet.find(TextCell("A5", "/ärger")), std::string::npos);
}

TEST(WorkbookExport, WorkbookThatCannotBeWrittenIsOneErrorAndLeavesNoFile) {
    ScratchFolder folder;
    FolderList list;
    for (int i = 0; i < 1000; ++i)
        list.append("/srv/" + std::to_string(i));
    const Status failure = WriteResultsWorkbook(list, folder.file("missing/results.xlsx"));
    EXPECT_EQ(failure.code(), test::kMissingFolderError);
    EXPECT_TRUE(folder.names().empty());

    // Losing entries during the export: no workbook, and the file there is kept.
    const std::string file = folder.file("results.xlsx");
    testing::WriteBytes(file, "old");
    ScriptedYield remove([&list](int yield) {
        if (yield == 500) list.removeAt(0);
    });
    EXPECT_EQ(WriteResultsWorkbook(list, file, &remove).failure(), Status::Failure::ListChanged);
    EXPECT_EQ(testing::ReadBytes(file), "old");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"results.xlsx"});
}

TEST(WorkbookExport, TemporaryWorkbookPathsAreNewFilesInTheTemporaryFolder) {
    ScratchFolder folder;
    const std::string saved = test::GetVariable(test::kTemporaryFolderVariable);
    test::SetVariable(test::kTemporaryFolderVariable, folder.path().string());
    std::string first;
    std::string second;
    const bool reserved =
        ReserveTemporaryWorkbookPath(first).ok() && ReserveTemporaryWorkbookPath(second).ok();
    test::SetVariable(test::kTemporaryFolderVariable, saved);

    ASSERT_TRUE(reserved);
    EXPECT_NE(first, second);
    for (const std::string& path : {first, second}) {
        EXPECT_EQ(std::filesystem::path(path).parent_path(), folder.path());
        EXPECT_EQ(std::filesystem::path(path).extension(), ".xlsx");
    }
    EXPECT_EQ(folder.names().size(), 2u);
    EXPECT_TRUE(WriteResultsWorkbook(MakeList({"/a"}), first).ok());
    EXPECT_NE(SheetXml(first, 1).find(TextCell("A2", "/a")), std::string::npos);
}

}  // namespace
}  // namespace quorvane
