// What the atomic file does where only POSIX has it: permissions, file size limits, pipes,
// links, signals and files without a name.

#include "output/atomic_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "output/output_target.h"
#include "output/pending_files.h"
#include "support/environment.h"
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
    ASSERT_TRUE(WriteFileAtomically(target, "new").ok());
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(ModeOf(target), 0666 & ~mask);
}

TEST(AtomicFile, ReplacesAnExistingFileKeepingItsPermissions) {
    TempFolder temp;
    const std::string target = temp / "list.txt";
    test::MakeFile(target, "old");
    chmod(target.c_str(), 0600);
    ASSERT_TRUE(WriteFileAtomically(target, "new").ok());
    EXPECT_EQ(ReadFile(target), "new");
    EXPECT_EQ(ModeOf(target), 0600u);
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
    Status status;
    {
        AtomicFile file(target);
        const std::string block(1 << 16, 'x');
        status = file.open();
        if (status.ok()) status = file.write(block);
        if (status.ok()) status = file.write(block);
        if (status.ok()) status = file.commit();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedSignal);

    EXPECT_EQ(status.code(), EFBIG);
    EXPECT_EQ(ReadFile(target), "old");
    EXPECT_EQ(ListedNames(temp.path()), std::vector<std::string>{"list.txt"});
}

TEST(AtomicFile, PipeIsWrittenInPlaceAndStaysAPipe) {
    TempFolder temp;
    const std::string fifo = temp / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // A reader that is there before the writer, and takes the bytes once it is done.
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_TRUE(WriteFileAtomically(fifo, "a\nb\n").ok());
    char got[16] = {};
    EXPECT_EQ(read(reader, got, sizeof got), 4);
    close(reader);
    EXPECT_EQ(std::string(got), "a\nb\n");
    struct stat st {};
    ASSERT_EQ(lstat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "the pipe was replaced by a file";
    EXPECT_EQ(ListedNames(temp.path()), std::vector<std::string>{"fifo"});
}

TEST(AtomicFile, LinkKeepsItsLinkAndTheFileItLeadsToIsReplaced) {
    TempFolder temp;
    test::MakeFolders(temp / "real");
    test::MakeFile(temp / "real/list.txt", "old");
    chmod((temp / "real/list.txt").c_str(), 0600);
    test::MakeLink(temp / "direct", "real/list.txt");
    test::MakeLink(temp / "chained", "direct");
    test::MakeLink(temp / "dangling", "real/new.txt");

    ASSERT_TRUE(WriteFileAtomically(temp / "chained", "through two links").ok());
    EXPECT_EQ(ReadFile(temp / "real/list.txt"), "through two links");
    EXPECT_EQ(ModeOf(temp / "real/list.txt"), 0600u);
    ASSERT_TRUE(WriteFileAtomically(temp / "dangling", "made where it leads").ok());
    EXPECT_EQ(ReadFile(temp / "real/new.txt"), "made where it leads");

    for (const char* link : {"direct", "chained", "dangling"}) {
        struct stat st {};
        ASSERT_EQ(lstat((temp / link).c_str(), &st), 0);
        EXPECT_TRUE(S_ISLNK(st.st_mode)) << link << " was replaced by a file";
    }
    EXPECT_EQ(ListedNames(temp / "real").size(), 2u);

    test::MakeLink(temp / "loop", "loop");
    EXPECT_EQ(WriteFileAtomically(temp / "loop", "x").code(), ELOOP);
}

TEST(AtomicFile, PartialNameOfTheLongestNameIsShortenedBetweenCharacters) {
    TempFolder temp;
    // 255 bytes, most of them two-byte characters.
    std::string name = "aaaa";
    for (int i = 0; i < 125; ++i)
        name += "\xc3\xa9";
    name += "b";
    ASSERT_EQ(name.size(), 255u);
    const std::string part = PartFileName(temp / name, 42);
    const std::string partName = part.substr(temp.path().size() + 1);
    EXPECT_EQ(part.substr(0, temp.path().size() + 1), temp / "");
    EXPECT_EQ(partName.size(), 254u);  // 4 + 119 * 2 + ".part-000042"
    EXPECT_TRUE(partName.ends_with("\xc3\xa9.part-000042")) << partName;
}

// Runs `write` in a child process that ends by `signal` while it writes, and gives how the
// child ended. What `write` makes must be static, so that it is still there when the signal
// comes.
template <typename Write>
int EndedBy(int signal, Write write) {
    const pid_t child = fork();
    if (child == 0) {
        RemovePendingFilesOnSignals();
        write();
        raise(signal);
        _exit(100);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? WTERMSIG(status) : -WEXITSTATUS(status);
}

// Every signal that ends the program and can be caught: the registered file goes, and the
// program still ends by that signal.
TEST(PendingFiles, EverySignalThatEndsTheProgramRemovesThem) {
    TempFolder temp;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM,
                             SIGXCPU, SIGXFSZ, SIGVTALRM, SIGPROF, SIGABRT, SIGRTMIN + 3}) {
        const std::string part = temp / "list.txt.part-000001";
        test::MakeFile(part, "half of the new");
        EXPECT_EQ(EndedBy(signal, [&] { static PendingFile pending(part); }), signal) << signal;
        EXPECT_TRUE(ListedNames(temp.path()).empty()) << "left by signal " << signal;
        std::remove(part.c_str());
    }
}

// Whether the file system of `folder` makes files without a name.
bool MakesUnnamedFiles(const std::string& folder) {
    const int descriptor = ::open(folder.c_str(), O_TMPFILE | O_WRONLY, 0600);
    if (descriptor < 0) return false;
    close(descriptor);
    return true;
}

TEST(AtomicFile, EvenSigkillInTheMiddleOfAWriteLeavesNoPartialFile) {
    TempFolder temp;
    if (!MakesUnnamedFiles(temp.path())) GTEST_SKIP() << "no O_TMPFILE on this file system";
    const std::string target = temp / "list.txt";
    test::MakeFile(target, "old");
    for (const int signal : {SIGKILL, SIGTERM}) {
        const int ended = EndedBy(signal, [&] {
            static AtomicFile file(target);
            if (!file.open().ok() || !file.write("half of the new").ok()) _exit(1);
        });
        EXPECT_EQ(ended, signal);
        EXPECT_EQ(ReadFile(target), "old");
        EXPECT_EQ(ListedNames(temp.path()), std::vector<std::string>{"list.txt"});
    }
}

// A pipe takes no overwrites: the bytes are built in the temporary folder, where they never
// have a name, so not even SIGKILL in the middle of the write leaves anything there; the pipe
// gets them, overwrites and all, once they are complete.
TEST(AtomicFile, WrittenWithOverwritesIntoAPipeLeavesNothingInTheTemporaryFolder) {
    TempFolder temp;
    TempFolder temporaryFolder;
    const std::string saved = test::GetVariable(test::kTemporaryFolderVariable);
    test::SetVariable(test::kTemporaryFolderVariable, temporaryFolder.path());
    const std::string fifo = temp / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    // In a child that SIGKILL ends after the write or, when asked, after the commit.
    const auto write = [&](bool commit) {
        static AtomicFile file(fifo, AtomicFile::Writes::WithOverwrites);
        if (!file.open().ok() || !file.write("size ????, body").ok() ||
            !file.overwrite(5, "0015").ok() || !ListedNames(temporaryFolder.path()).empty()) {
            _exit(1);
        }
        if (commit) _exit(file.commit().ok() ? 0 : 1);
    };
    EXPECT_EQ(EndedBy(SIGKILL, [&] { write(false); }), SIGKILL);
    EXPECT_TRUE(ListedNames(temporaryFolder.path()).empty());
    EXPECT_EQ(EndedBy(SIGKILL, [&] { write(true); }), 0);
    char got[32] = {};
    EXPECT_EQ(read(reader, got, sizeof got), 15);
    close(reader);
    EXPECT_EQ(std::string(got), "size 0015, body");
    EXPECT_TRUE(ListedNames(temporaryFolder.path()).empty());
    test::SetVariable(test::kTemporaryFolderVariable, saved);
}

}  // namespace
}  // namespace quorvane
