#include "results/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cerrno>
#include <csignal>

#include "support/fixture_tree.h"
#include "support/temp_folder.h"

namespace quorvane {
namespace {

using test::ListedNames;
using test::ReadFile;
using test::TempFolder;

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

TEST(AtomicFile, WritesANewFileWithTheUsualPermissions) {
    TempFolder temp;
    const std::string target = temp / "list.txt";
    ASSERT_EQ(WriteFileAtomically(target, std::string("a\r\nb\0c\r\n\r\n", 10)), 0);
    EXPECT_EQ(ReadFile(target), std::string("a\r\nb\0c\r\n\r\n", 10));
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(ModeOf(target), 0666 & ~mask);
    EXPECT_EQ(ListedNames(temp.path()), std::vector<std::string>{"list.txt"});
}

TEST(AtomicFile, ReplacesAnExistingFileKeepingItsPermissions) {
    TempFolder temp;
    const std::string target = temp / "list.txt";
    test::MakeFile(target, "a much longer old content that must not survive in part");
    chmod(target.c_str(), 0600);

    AtomicFile file(target);
    ASSERT_TRUE(file.open());
    ASSERT_TRUE(file.write("new"));
    EXPECT_EQ(ReadFile(target), "a much longer old content that must not survive in part")
        << "the target changed before the commit";
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(ReadFile(target), "new");
    EXPECT_EQ(ModeOf(target), 0600u);
    EXPECT_EQ(ListedNames(temp.path()), std::vector<std::string>{"list.txt"});
}

TEST(AtomicFile, FailedWriteLeavesTheOldFileAndNoPartialFile) {
    TempFolder temp;
    const std::string target = temp / "list.txt";
    test::MakeFile(target, "old");

    // A file size limit makes the writes fail part-way, as a full disk would.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto savedSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool done = false;
    int error = 0;
    {
        AtomicFile file(target);
        if (file.open()) {
            const std::string block(1 << 16, 'x');
            done = file.write(block) && file.write(block) && file.commit();
        }
        error = file.error();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedSignal);

    EXPECT_FALSE(done);
    EXPECT_EQ(error, EFBIG);
    EXPECT_EQ(ReadFile(target), "old");
    EXPECT_EQ(ListedNames(temp.path()), std::vector<std::string>{"list.txt"});
}

}  // namespace
}  // namespace quorvane
