#include "results/text_file_export.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

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
    ASSERT_FALSE(SaveResultsToTextFile(MakeList({"C:\\A", "C:\\B"}), file, &window));
    EXPECT_EQ(ReadBytes(file), "C:\\A\r\nC:\\B\r\n\r\n");

    // Replaced without a question, and nothing of the longer old content survives.
    ASSERT_FALSE(SaveResultsToTextFile(PathList(), file));
    EXPECT_EQ(ReadBytes(file), "\r\n");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"list"});

    // Names go out as the file system gave them, valid UTF-8 or not.
    const std::string odd = "/srv/ärger/\xff\xfe";
    EXPECT_EQ(ResultsTextFileBytes(MakeList({odd})), odd + "\r\n\r\n");
}

TEST(TextFileExport, FailedWriteKeepsTheFileThatWasThere) {
    ScratchFolder folder;
    const std::string file = folder.file("list.txt");
    WriteBytes(file, "old content\r\n");
    PathList list;
    for (int i = 0; i < 20000; ++i)
        list.append("/home/someone/projects/folder-" + std::to_string(i));

    // A disk that fills up part-way through the write.
    struct rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto failure = SaveResultsToTextFile(list, file);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->number(), EFBIG);
    EXPECT_EQ(ReadBytes(file), "old content\r\n");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"list.txt"});

    // A folder that does not exist.
    EXPECT_TRUE(SaveResultsToTextFile(list, folder.file("missing/list.txt")));
    EXPECT_EQ(folder.names(), std::vector<std::string>{"list.txt"});
}

TEST(TextFileExport, ListLosingEntriesDuringTheBuildWritesNothing) {
    ScratchFolder folder;
    const std::string file = folder.file("list.txt");
    WriteBytes(file, "old content\r\n");
    PathList list = MakeList({"/a", "/b", "/c"});
    ScriptedYield filterRuns([&list](int yield) {
        if (yield == 2) list.removeAt(2);
    });
    EXPECT_THROW(SaveResultsToTextFile(list, file, &filterRuns), RunTimeError);
    EXPECT_EQ(ReadBytes(file), "old content\r\n");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"list.txt"});
}

}  // namespace
}  // namespace quorvane
