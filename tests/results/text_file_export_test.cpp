#include "results/text_file_export.h"

#include <gtest/gtest.h>

#include "engine/path_rules.h"
#include "results/scratch_folder.h"
#include "results/scripted_yield.h"
#include "support/fixture_tree.h"
#include "support/temp_folder.h"

namespace quorvane {
namespace {

using testing::MakeList;
using testing::ReadBytes;
using testing::ScratchFolder;
using testing::ScriptedYield;
using testing::WriteBytes;

TEST(TextFileExport, EachEntryEndsWithCrLfAndTheFileWithOneMore) {
    test::TempFolder folder;
    const std::string name = "Λίστα 日本 😀";  // no extension is added
    const std::string file = folder / name;
    ScriptedYield window([](int) {});
    ASSERT_TRUE(SaveResultsToTextFile(MakeList({"C:\\A", "C:\\B"}), file, &window).ok());
    EXPECT_EQ(test::ReadFile(file), "C:\\A\r\nC:\\B\r\n\r\n");

    // Replaced without a question, and nothing of the longer old content survives.
    ASSERT_TRUE(SaveResultsToTextFile(FolderList(), file).ok());
    EXPECT_EQ(test::ReadFile(file), "\r\n");
    EXPECT_EQ(test::ListedNames(folder.path()), std::vector<std::string>{name});

    // A folder that does not exist: the system's own error, and nothing is left.
    const Status failure =
        SaveResultsToTextFile(FolderList(), folder / "missing" + kSeparator + "list.txt");
    EXPECT_EQ(failure.failure(), Status::Failure::System);
    EXPECT_EQ(failure.code(), test::kMissingFolderError);
    EXPECT_EQ(test::ListedNames(folder.path()), std::vector<std::string>{name});
}

TEST(TextFileExport, ListLosingEntriesDuringTheBuildWritesNothing) {
    ScratchFolder folder;
    const std::string file = folder.file("list.txt");
    WriteBytes(file, "old content\r\n");
    FolderList list = MakeList({"/a", "/b", "/c"});
    ScriptedYield filterRuns([&list](int yield) {
        if (yield == 2) list.removeAt(2);
    });
    EXPECT_EQ(SaveResultsToTextFile(list, file, &filterRuns).failure(),
              Status::Failure::ListChanged);
    EXPECT_EQ(ReadBytes(file), "old content\r\n");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"list.txt"});
}

TEST(TextFileExport, LongListGoesToTheDiskInPiecesAndComesOutWhole) {
    ScratchFolder folder;
    const std::string file = folder.file("list.txt");
    FolderList list;
    for (int i = 0; i < 40000; ++i)
        list.append("/srv/share/projects/" + std::to_string(i % 97) +
                    "/documents and settings/folder-" + std::to_string(i));
    ScriptedYield window([](int) {});
    ASSERT_TRUE(SaveResultsToTextFile(list, file, &window).ok());
    EXPECT_GT(ReadBytes(file).size(), size_t{2} << 20) << "more than one piece";
    EXPECT_EQ(ReadBytes(file), ResultsTextFileBytes(list));

    // Entries removed once pieces have gone to the disk: the file that was there stays.
    WriteBytes(file, "old content\r\n");
    ScriptedYield filterRuns([&list](int yield) {
        if (yield == 35000) list.removeAt(0);
    });
    EXPECT_EQ(SaveResultsToTextFile(list, file, &filterRuns).failure(),
              Status::Failure::ListChanged);
    EXPECT_EQ(ReadBytes(file), "old content\r\n");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"list.txt"});
}

}  // namespace
}  // namespace quorvane
