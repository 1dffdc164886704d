#include "results/text_file_export.h"

#include <gtest/gtest.h>

#include "results/scratch_folder.h"
#include "results/scripted_yield.h"

namespace quorvane {
namespace {

using testing::MakeList;
using testing::ReadBytes;
using testing::ScratchFolder;
using testing::ScriptedYield;
using testing::WriteBytes;

TEST(TextFileExport, EachEntryEndsWithCrLfAndTheFileWithOneMore) {
    ScratchFolder folder;
    const std::string file = folder.file("list");  // no extension is added
    ScriptedYield window([](int) {});
    ASSERT_TRUE(SaveResultsToTextFile(MakeList({"C:\\A", "C:\\B"}), file, &window).ok());
    EXPECT_EQ(ReadBytes(file), "C:\\A\r\nC:\\B\r\n\r\n");

    // Replaced without a question, and nothing of the longer old content survives.
    ASSERT_TRUE(SaveResultsToTextFile(FolderList(), file).ok());
    EXPECT_EQ(ReadBytes(file), "\r\n");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"list"});
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

}  // namespace
}  // namespace quorvane
