// The text file on POSIX: names as bytes, and a disk that fills up during the write.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cerrno>
#include <csignal>

#include "results/scratch_folder.h"
#include "results/text_file_export.h"

namespace quorvane {
namespace {

using testing::MakeList;
using testing::ReadBytes;
using testing::ScratchFolder;
using testing::WriteBytes;

TEST(TextFileExport, NamesGoOutAsTheFileSystemGaveThem) {
    // Valid UTF-8 or not: POSIX names are bytes, and so is the file.
    const std::string odd = "/srv/ärger/\xff\xfe";
    EXPECT_EQ(ResultsTextFileBytes(MakeList({odd})), odd + "\r\n\r\n");
}

TEST(TextFileExport, FailedWriteKeepsTheFileThatWasThere) {
    ScratchFolder folder;
    const std::string file = folder.file("list.txt");
    WriteBytes(file, "old content\r\n");
    FolderList list;
    for (int i = 0; i < 20000; ++i)
        list.append("/home/someone/projects/folder-" + std::to_string(i));

    // A disk that fills up part-way through the write.
    struct rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const Status failure = SaveResultsToTextFile(list, file);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(failure.code(), EFBIG);
    EXPECT_EQ(ReadBytes(file), "old content\r\n");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"list.txt"});
}

}  // namespace
}  // namespace quorvane
