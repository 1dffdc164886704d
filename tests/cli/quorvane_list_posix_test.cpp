// quorvane-list run as a program where only POSIX has what it meets: links, permissions,
// pipes, terminals, closed standard streams, a full device, limits on memory, open files and
// the stack, and a current folder changed in a child.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "cli/list_run.h"
#include "results/workbook_reader.h"
#include "support/expected_walk.h"
#include "support/fixture_tree.h"
#include "support/run_program.h"
#include "support/temp_folder.h"
#include "support/zip_reader.h"

namespace quorvane::list_test {
namespace {

// How a run below starts: standard output on `output` (when not -1), SIGPIPE ignored as some
// shells and services start programs, and limits on the address space, the files it may open
// and its stack.
struct Surroundings {
    int output = -1;
    bool ignoreBrokenPipe = false;
    rlim_t addressSpace = RLIM_INFINITY;
    rlim_t openFiles = RLIM_INFINITY;
    rlim_t stack = RLIM_INFINITY;
};

// Runs quorvane-list in `surroundings`; only its exit status and standard error are kept.
ProgramResult ListIn(const Surroundings& surroundings, const std::vector<std::string>& arguments) {
    TempFolder scratch;
    const std::string errors = scratch / "err";
    std::vector<char*> argv{const_cast<char*>(QUORVANE_LIST_PROGRAM)};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        const int err = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (err < 0 || dup2(err, 2) < 0) _exit(127);
        if (surroundings.output >= 0 && dup2(surroundings.output, 1) < 0) _exit(127);
        if (surroundings.ignoreBrokenPipe) signal(SIGPIPE, SIG_IGN);
        const auto limit = [](int resource, rlim_t most) {
            rlimit now{};
            getrlimit(resource, &now);
            if (most != RLIM_INFINITY) now.rlim_cur = most;
            if (setrlimit(resource, &now) != 0) _exit(127);
        };
        limit(RLIMIT_AS, surroundings.addressSpace);
        limit(RLIMIT_STACK, surroundings.stack);
        // The run's own descriptors are 0, 1 and 2; others the test holds must not count.
        if (surroundings.openFiles != RLIM_INFINITY) closefrom(3);
        limit(RLIMIT_NOFILE, surroundings.openFiles);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ProgramResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = test::ReadFile(errors);
    return result;
}

TEST(QuorvaneList, TargetBehindALinkOrAFileIsNamedWithTheReason) {
    TempFolder temp;
    test::MakeFile(temp / "file");
    test::MakeLink(temp / "dangling", "nowhere");
    const std::pair<std::string, std::string> refusals[] = {
        {temp / "dangling", Missing(temp / "dangling")},
        {temp / "file/below", "quorvane-list: " + temp / "file/below" + ": Not a directory\n"},
    };
    for (const auto& [target, message] : refusals) {
        const ProgramResult refused = List({target});
        EXPECT_EQ(refused.exitCode, 1) << target;
        EXPECT_EQ(refused.err, message) << target;
        EXPECT_EQ(refused.out, "") << target;
    }
}

TEST(QuorvaneList, WithoutAFolderTheCurrentOneIsListed) {
    TempFolder temp;
    const std::string t = test::BuildAwkwardTree(temp.path());
    const std::string lists = test::RunInChild([&] {
        if (chdir(t.c_str()) != 0) return std::string("cannot enter the tree");
        const ProgramResult implicit = List({"--depth", "2"});
        const ProgramResult dot = List({"--depth", "2", "."});
        return std::to_string(implicit.exitCode) + "\n" + implicit.out + "=\n" + dot.out;
    });
    std::string expected;
    for (const std::string& entry : ExpectedEntries(t + "/", 2))
        expected += "./" + entry.substr(t.size() + 1) + "\n";
    EXPECT_EQ(lists, "0\n" + expected + "=\n" + expected);
}

// For runs that must meet permissions although the tests run as root: an unprivileged user
// to run as (none when the tests do not run as root), and a copy of the program in `temp` that
// the user can run, since the build may lie in a folder closed to the user (a checkout in
// /root). Nothing when neither can be had: the test is then skipped.
struct UserRun {
    std::optional<unsigned> user;
    std::string program;
};
std::optional<UserRun> RunAsUnprivilegedUser(const TempFolder& temp) {
    chmod(temp.path().c_str(), 0755);
    const auto user = test::UnprivilegedUser();
    if (!user && geteuid() == 0) return std::nullopt;
    const std::string program = temp / "quorvane-list";
    std::filesystem::copy_file(QUORVANE_LIST_PROGRAM, program);
    chmod(program.c_str(), 0755);
    if (user && test::RunInChild(
                    [&] { return std::string(access(program.c_str(), X_OK) == 0 ? "yes" : "no"); },
                    user) != "yes") {
        return std::nullopt;
    }
    return UserRun{user, program};
}

// A tree "T" in `temp` with a folder that the user cannot read, and its list.
std::string TreeWithALockedFolder(const TempFolder& temp, std::string& list) {
    const std::string t = temp / "T";
    test::MakeFolders(t + "/open/inside");
    test::MakeFolders(t + "/locked/kept out");
    chmod((t + "/locked").c_str(), 0);
    list = t + "/open/inside\n";
    for (const auto& name : test::ListedNames(t))
        list += t + "/" + name + "\n";
    return t;
}

TEST(QuorvaneList, UnreadableFoldersAreNamedOnlyWhenAskedAndMakeTheStatusOne) {
    TempFolder temp;
    const auto as = RunAsUnprivilegedUser(temp);
    if (!as) GTEST_SKIP() << "no unprivileged user who can run the program from " << temp.path();
    std::string expected;
    const std::string t = TreeWithALockedFolder(temp, expected);
    const ProgramResult quiet = test::RunProgram(as->program, {t}, as->user);
    const ProgramResult told = test::RunProgram(as->program, {"--show-errors", t}, as->user);

    EXPECT_EQ(quiet.exitCode, 0);
    EXPECT_EQ(quiet.out, expected);
    EXPECT_EQ(quiet.err, "");
    EXPECT_EQ(told.exitCode, 1);
    EXPECT_EQ(told.out, expected);
    EXPECT_EQ(told.err, "quorvane-list: cannot read " + t + "/locked: Permission denied\n");

    const ProgramResult complete = List({"--show-errors", t + "/open"});
    EXPECT_EQ(complete.exitCode, 0);
    EXPECT_EQ(complete.err, "");
}

// A FOLDER closed to the user is no empty success: it is named with the reason, whether or not
// --show-errors asks for the folders below, and nothing is listed, not even the FOLDERs before.
TEST(QuorvaneList, UnreadableFolderIsNamedWithTheReasonAndNothingIsListed) {
    TempFolder temp;
    const auto as = RunAsUnprivilegedUser(temp);
    if (!as) GTEST_SKIP() << "no unprivileged user who can run the program from " << temp.path();
    const std::string closed = temp / "closed";
    test::MakeFolders(closed + "/inside");
    test::MakeFolders(temp / "open/inside");
    chmod(closed.c_str(), 0);
    test::MakeFolder(temp / "out");
    chmod((temp / "out").c_str(), 0777);
    const std::string file = temp / "out/list.txt";
    test::MakeFile(file, "old list");
    const std::vector<std::string> runs[] = {
        {closed}, {"--show-errors", closed}, {temp / "open", closed}, {"-o", file, closed}};
    for (const std::vector<std::string>& arguments : runs) {
        const ProgramResult refused = test::RunProgram(as->program, arguments, as->user);
        EXPECT_EQ(refused.exitCode, 1) << arguments.front();
        EXPECT_EQ(refused.err, "quorvane-list: " + closed + ": Permission denied\n");
        EXPECT_EQ(refused.out, "") << arguments.front();
    }
    EXPECT_EQ(test::ReadFile(file), "old list");
}

// A FOLDER that goes after the check, while an earlier one is walked, is named when its turn
// comes; what was listed stays listed. The list of the first fills a small pipe, so the walk
// waits on its reader until the second is gone.
TEST(QuorvaneList, FolderRemovedWhileAnEarlierOneIsWalkedIsNamedWhenReached) {
    TempFolder temp;
    const std::string first = temp / "first";
    const std::string later = temp / "later";
    for (int i = 0; i < 3000; ++i)
        test::MakeFolders(first + "/" + std::string(60, 'f') + std::to_string(i));
    test::MakeFolders(later + "/inside");
    int channel[2];
    ASSERT_EQ(pipe(channel), 0);
    fcntl(channel[0], F_SETPIPE_SZ, 4096);
    ProgramResult run;
    std::thread lister([&] { run = ListIn({channel[1]}, {first, later}); });
    std::string out(4096, '\0');
    const ssize_t got = read(channel[0], out.data(), out.size());
    out.resize(static_cast<size_t>(std::max<ssize_t>(got, 0)));
    // The program has its own copy of the writing end by now.
    close(channel[1]);
    std::filesystem::remove_all(later);
    char buffer[1 << 16];
    for (ssize_t more; (more = read(channel[0], buffer, sizeof buffer)) > 0;)
        out.append(buffer, static_cast<size_t>(more));
    close(channel[0]);
    lister.join();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "quorvane-list: " + later + ": " + strerror(ENOENT) + "\n");
    EXPECT_EQ(out, Lines(ExpectedEntries(first + "/")));
}

// Runs `program` with `arguments` as `user`, with the standard streams in `closed` closed, as
// `2>&-` starts it; gives its exit status.
int RunWithStreamsClosed(const UserRun& as, const std::vector<int>& closed,
                         const std::vector<std::string>& arguments) {
    const std::string status = test::RunInChild(
        [&] {
            std::vector<char*> argv{const_cast<char*>(as.program.c_str())};
            for (const std::string& argument : arguments)
                argv.push_back(const_cast<char*>(argument.c_str()));
            argv.push_back(nullptr);
            const pid_t child = fork();
            if (child == 0) {
                const int nowhere = open("/dev/null", O_RDWR);
                for (const int stream : {0, 1, 2})
                    dup2(nowhere, stream);
                close(nowhere);
                for (const int stream : closed)
                    close(stream);
                execv(argv[0], argv.data());
                _exit(127);
            }
            int ended = 0;
            waitpid(child, &ended, 0);
            return std::to_string(WIFEXITED(ended) ? WEXITSTATUS(ended) : -1);
        },
        as.user);
    return std::stoi(status);
}

// Started without standard error (or without any standard stream), the program's files cannot
// take its place: the messages go nowhere, the list and the workbook hold what they should.
TEST(QuorvaneList, ClosedStandardErrorPutsNoMessageIntoTheOutputFile) {
    TempFolder temp;
    const auto as = RunAsUnprivilegedUser(temp);
    if (!as) GTEST_SKIP() << "no unprivileged user who can run the program from " << temp.path();
    std::string expected;
    const std::string t = TreeWithALockedFolder(temp, expected);
    test::MakeFolder(temp / "out");
    chmod((temp / "out").c_str(), 0777);
    const std::string file = temp / "out/list.txt";
    const std::string workbook = temp / "out/list.xlsx";
    for (const std::vector<int>& closed : {std::vector<int>{2}, std::vector<int>{0, 1, 2}}) {
        SCOPED_TRACE(closed.size());
        EXPECT_EQ(RunWithStreamsClosed(*as, closed, {"--show-errors", "-o", file, t}), 1);
        EXPECT_EQ(test::ReadFile(file), expected);
        EXPECT_EQ(RunWithStreamsClosed(*as, closed, {"--show-errors", "--xlsx", workbook, t}), 1);
        EXPECT_TRUE(test::OtherReaderAccepts(workbook));
        EXPECT_NE(testing::SheetXml(workbook, 1).find(testing::TextCell("A2", t + "/open/inside")),
                  std::string::npos);
    }
}

// What quorvane-list writes to a terminal (a pseudo-terminal in raw mode, which passes the
// bytes as they come).
std::string ListOnTerminal(const std::vector<std::string>& arguments) {
    const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
    if (terminal < 0 || grantpt(terminal) != 0 || unlockpt(terminal) != 0) return "no terminal";
    const std::string screen = ptsname(terminal);
    std::vector<char*> argv{const_cast<char*>(QUORVANE_LIST_PROGRAM)};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        const int shown = open(screen.c_str(), O_RDWR | O_NOCTTY);
        termios raw{};
        if (shown < 0 || tcgetattr(shown, &raw) != 0) _exit(127);
        cfmakeraw(&raw);
        if (tcsetattr(shown, TCSANOW, &raw) != 0 || dup2(shown, 1) < 0) _exit(127);
        execv(argv[0], argv.data());
        _exit(127);
    }
    // The terminal's side gives an error once the program has ended and closed its own.
    std::string out;
    char buffer[4096];
    for (ssize_t got; (got = read(terminal, buffer, sizeof buffer)) > 0;)
        out.append(buffer, static_cast<size_t>(got));
    close(terminal);
    waitpid(child, nullptr, 0);
    return out;
}

// A folder named so that a terminal would take it as an order: on the terminal the list shows
// it escaped, as messages do; into a file, with -0 and in a row format it stays as it is.
void ExpectShownEscaped(const std::string& name, const std::string& escaped) {
    TempFolder temp;
    test::MakeFolder(temp / name);
    EXPECT_EQ(ListOnTerminal({temp.path()}), temp / escaped + "\n");
    EXPECT_EQ(ListOnTerminal({"--relative", temp.path()}), escaped + "\n");
    EXPECT_EQ(ListOnTerminal({"-0", temp.path()}), temp / name + std::string(1, '\0'));
    EXPECT_EQ(ListOnTerminal({"--format", "csv", "--columns", "name", temp.path()}),
              "name\r\n" + name + "\r\n");
    EXPECT_EQ(List({temp.path()}).out, temp / name + "\n");
}

TEST(QuorvaneList, FolderNameCannotSetTheTerminalTitle) {
    ExpectShownEscaped("\x1B]0;PWNED\x07", "\\x1B]0;PWNED\\x07");
}

TEST(QuorvaneList, FolderNameCannotClearTheTerminalScreen) {
    ExpectShownEscaped("\x1B[2J\x1B[H", "\\x1B[2J\\x1B[H");
}

TEST(QuorvaneList, FailedOutputEndsTheRunAndNamesItsOwnError) {
    TempFolder temp;
    const std::string t = test::BuildAwkwardTree(temp.path());
    const int full = open("/dev/full", O_WRONLY);
    ASSERT_GE(full, 0);
    const std::string noSpace =
        "quorvane-list: cannot write standard output: " + std::string(strerror(ENOSPC)) + "\n";
    std::vector<std::vector<std::string>> runs{
        {t}, {"--crlf", t}, {"--clipboard-format", t}, {"--help"}, {"--version"}};
    // Without drives (a bare container) there is nothing to write.
    if (!List({"--list-drives"}).out.empty()) runs.push_back({"--list-drives"});
    for (const std::vector<std::string>& arguments : runs) {
        const ProgramResult failed = ListIn({full}, arguments);
        EXPECT_EQ(failed.exitCode, 1) << arguments.front();
        EXPECT_EQ(failed.err, noSpace) << arguments.front();
    }
    close(full);

    // A pipe whose reader is gone, with SIGPIPE ignored: the error is the broken pipe's.
    int channel[2];
    ASSERT_EQ(pipe(channel), 0);
    close(channel[0]);
    const ProgramResult broken = ListIn({channel[1], true}, {t});
    close(channel[1]);
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_EQ(broken.err, "quorvane-list: cannot write standard output: " +
                              std::string(strerror(EPIPE)) + "\n");
}

TEST(QuorvaneList, ListTooLargeForMemoryIsReportedAndLeavesTheOldFile) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer ends the program where it would throw std::bad_alloc";
#endif
    // Each folder of a chain holds two links to the next, under long names: 2^16 entries of up
    // to 3,000 bytes, far more than the limit below, from sixteen folders.
    TempFolder temp;
    const std::string t = temp / "T";
    const std::string longName(200, 'n');
    for (int level = 0; level <= 15; ++level)
        test::MakeFolders(t + "/" + std::to_string(level));
    for (int level = 0; level < 15; ++level) {
        for (const char* link : {"x", "y"}) {
            test::MakeLink(t + "/" + std::to_string(level) + "/" + link + longName,
                           "../" + std::to_string(level + 1));
        }
    }
    test::MakeFolder(temp / "out");
    const std::string file = temp / "out/list.txt";
    test::MakeFile(file, "old list");
    const int nowhere = open("/dev/null", O_WRONLY);
    // Under this limit not every thread of the walk can have its stack: the walk goes on with
    // those it has.
    const ProgramResult failed =
        ListIn({nowhere, false, 96 << 20}, {"--clipboard-format", "-o", file, t + "/0"});
    close(nowhere);
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.err, "quorvane-list: " + std::string(strerror(ENOMEM)) + "\n");
    EXPECT_EQ(test::ReadFile(file), "old list");
    EXPECT_EQ(test::ListedNames(temp / "out"), std::vector<std::string>{"list.txt"});
}

// Every limit on open files, down to one that leaves none for the walk: the whole list, or
// exit status 1 with the reason and the old file as it was; never a shorter list.
TEST(QuorvaneList, ShortOfDescriptorsWritesTheWholeListOrNothing) {
    TempFolder temp;
    const std::string t = test::BuildAwkwardTree(temp.path());
    const std::string file = temp / "list.txt";
    const std::string whole = Lines(ExpectedEntries(t + "/"));
    for (rlim_t openFiles = 4; openFiles <= 12; ++openFiles) {
        SCOPED_TRACE(openFiles);
        test::MakeFile(file, "old list");
        const ProgramResult run = ListIn({.openFiles = openFiles}, {"-o", file, t});
        if (run.exitCode == 0) {
            EXPECT_EQ(test::ReadFile(file), whole);
        } else {
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_EQ(run.err, "quorvane-list: " + t + ": " + strerror(EMFILE) + "\n");
            EXPECT_EQ(test::ReadFile(file), "old list");
        }
        // Three descriptors are the standard ones and one is the new file: none is left.
        if (openFiles == 4) {
            EXPECT_EQ(run.exitCode, 1);
        } else if (openFiles >= 7) {
            EXPECT_EQ(run.exitCode, 0) << run.err;
        }
    }
}

// A small stack limit, which find runs with: the program keeps its buffers off the stack.
TEST(QuorvaneList, RunsOnASmallStack) {
    TempFolder temp;
    const std::string t = test::BuildAwkwardTree(temp.path());
    const std::string file = temp / "list.txt";
    const ProgramResult run = ListIn({.stack = 24 << 10}, {"-o", file, t});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(test::ReadFile(file), Lines(ExpectedEntries(t + "/")));
}

// Through a link the workbook replaces the file it leads to; into a pipe it is written in
// place.
TEST(QuorvaneList, XlsxThroughALinkOrIntoAPipeKeepsTheLinkAndThePipe) {
    TempFolder temp;
    const std::string t = temp / "tree";
    test::MakeFolders(t + "/Alpha");
    test::MakeFolder(temp / "real");
    const std::string link = temp / "link.xlsx";
    test::MakeLink(link, "real/list.xlsx");
    ASSERT_EQ(List({"--xlsx", link, t}).exitCode, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_NE(
        testing::SheetXml(temp / "real/list.xlsx", 1).find(testing::TextCell("A1", "Results")),
        std::string::npos);

    const std::string fifo = temp / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(List({"--xlsx", fifo, t}).exitCode, 0);
    char start[4] = {};
    EXPECT_EQ(read(reader, start, sizeof start), 4);
    close(reader);
    EXPECT_EQ(std::string(start, 4), "PK\x03\x04");  // a zip, as every workbook
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_EQ(test::ListedNames(temp.path()).size(), 4u);
}

}  // namespace
}  // namespace quorvane::list_test
