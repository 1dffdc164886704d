// quorvane-list.exe run as a program, with folder names and arguments beyond the ANSI code
// page: nothing may be lost on the way in (the wide command line) or out (UTF-8).

#include <windows.h>

#include <gtest/gtest.h>

#include "cli/list_run.h"
#include "results/workbook_reader.h"
#include "support/fixture_tree.h"
#include "support/temp_folder.h"

namespace quorvane::list_test {
namespace {

// A target named in Greek holding names from further afield, a hidden folder and a file.
std::string BuildTree(const TempFolder& temp) {
    const std::string t = temp / "Δέντρο";
    test::MakeFolders(t + "\\Ελληνικά\\λέξη");
    test::MakeFolders(t + "\\日本語\\子\\孫");
    test::MakeFolder(t + "\\emoji 😀");
    test::MakeFolder(t + "\\café");
    test::MakeFolders(t + "\\Hidden\\never");
    test::SetAttributes(t + "\\Hidden", FILE_ATTRIBUTE_HIDDEN);
    test::MakeFile(t + "\\file.txt");
    return t;
}

TEST(WindowsQuorvaneList, NamesBeyondTheCodePageGoInAndComeOutUnchanged) {
    TempFolder temp;
    const std::string t = BuildTree(temp);
    const auto entries = ExpectedEntries(t + "\\");
    ASSERT_EQ(entries.size(), 7u);

    const ProgramResult every = List({t});
    EXPECT_EQ(every.exitCode, 0) << every.err;
    EXPECT_EQ(every.out, JoinEntries(entries, "\n"));  // UTF-8, and no CR added
    EXPECT_EQ(every.err, "");
    EXPECT_NE(every.out.find(t + "\\emoji 😀\n"), std::string::npos);

    EXPECT_EQ(List({"--depth", "2", t + "\\"}).out,
              JoinEntries(ExpectedEntries(t + "\\", 2), "\n"));
    EXPECT_EQ(List({"--containing", "ΛΈΞΗ", t}).out, t + "\\Ελληνικά\\λέξη\n");

    const ProgramResult missing = List({temp / "Δέντρ"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, Missing(temp / "Δέντρ"));
}

TEST(WindowsQuorvaneList, WorkbookGoesToANameBeyondTheCodePage) {
    TempFolder temp;
    test::MakeFolder(temp / "Φάκελος");
    const std::string file = temp / "Λίστα.xlsx";
    const ProgramResult written = List({"--xlsx", file, temp.path()});
    EXPECT_EQ(written.exitCode, 0) << written.err;
    const std::string sheet = testing::SheetXml(file, 1);
    EXPECT_NE(sheet.find(testing::TextCell("A2", temp / "Φάκελος")), std::string::npos) << sheet;
}

}  // namespace
}  // namespace quorvane::list_test
