// Runs the built quorvane-list on trees made at run time and compares its bytes, its
// messages and its exit status with what the window's results list would hold.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "support/expected_walk.h"
#include "support/fixture_tree.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

namespace quorvane {
namespace {

using test::ExpectedEntries;
using test::JoinEntries;
using test::ProgramResult;
using test::TempFolder;

const std::string kMissing =
    "quorvane-list: Folder does not exist. Please select another folder.\n";

ProgramResult List(const std::vector<std::string>& arguments,
                   std::optional<unsigned> asUser = std::nullopt) {
    return test::RunProgram(QUORVANE_LIST_PROGRAM, arguments, asUser);
}

std::string Lines(const std::vector<std::string>& entries) {
    return JoinEntries(entries, "\n");
}

TEST(QuorvaneList, GivesTheWindowsEntriesForEveryLevelAndEachDepth) {
    TempFolder temp;
    const std::string t = test::BuildAwkwardTree(temp.path());
    const std::string root = t + "/";

    ProgramResult every = List({t});
    EXPECT_EQ(every.exitCode, 0) << every.err;
    EXPECT_EQ(every.out, Lines(ExpectedEntries(root)));
    EXPECT_EQ(every.err, "");
    // The names that are not UTF-8, or hold a line break, come out byte for byte.
    EXPECT_NE(every.out.find(t + "/caf\xe9 latin-1/\xff\xfe\n"), std::string::npos);
    EXPECT_NE(every.out.find(t + "/line\nbreak/child\n"), std::string::npos);

    for (int depth : {1, 2, 3}) {
        SCOPED_TRACE(depth);
        const ProgramResult limited = List({"--depth", std::to_string(depth), t});
        EXPECT_EQ(limited.exitCode, 0) << limited.err;
        EXPECT_EQ(limited.out, Lines(ExpectedEntries(root, depth)));
    }
    EXPECT_EQ(List({"--first-level", t}).out, Lines(ExpectedEntries(root, 1)));
    // A trailing separator, doubled ones, or both, change nothing.
    EXPECT_EQ(List({root}).out, every.out);
    EXPECT_EQ(List({temp.path() + "//tree//"}).out, every.out);
    EXPECT_EQ(List({"--depth", "2", temp.path() + "//tree"}).out, Lines(ExpectedEntries(root, 2)));
}

TEST(QuorvaneList, DepthIsReadAsTheDepthBoxReadsIt) {
    TempFolder temp;
    const std::string t = test::BuildAwkwardTree(temp.path());
    // Halves go to the even number.
    EXPECT_EQ(List({"--depth", "2.5", t}).out, Lines(ExpectedEntries(t + "/", 2)));
    EXPECT_EQ(List({"--depth", "3.5", t}).out, Lines(ExpectedEntries(t + "/", 4)));
    EXPECT_EQ(List({"--depth", " 1e0 ", t}).out, Lines(ExpectedEntries(t + "/", 1)));

    for (const char* text : {"abc", "", " ", "2x", "1..2"}) {
        const ProgramResult refused = List({"--depth", text, t});
        EXPECT_EQ(refused.exitCode, 2) << text;
        EXPECT_EQ(refused.err, "Must be a numeric entry.\n") << text;
        EXPECT_EQ(refused.out, "");
    }
    for (const char* text : {"0", "-3", "0.5", "0.99", "-1e9"}) {
        const ProgramResult refused = List({"--depth", text, t});
        EXPECT_EQ(refused.exitCode, 2) << text;
        EXPECT_EQ(refused.err, "Must be 1 or higher.\n") << text;
    }
    for (const char* text : {"32767.5", "40000", "1e400"}) {
        const ProgramResult refused = List({"--depth", text, t});
        EXPECT_EQ(refused.exitCode, 2) << text;
        EXPECT_NE(refused.err, "") << text;
        EXPECT_EQ(refused.out, "");
    }
    EXPECT_EQ(List({"--depth", "32767", t}).exitCode, 0);
}

TEST(QuorvaneList, LineEndsGiveTheExactBytes) {
    TempFolder temp;
    const std::string t = test::BuildAwkwardTree(temp.path());
    const auto entries = ExpectedEntries(t + "/");
    EXPECT_EQ(List({"--crlf", t}).out, JoinEntries(entries, "\r\n") + "\r\n");
    EXPECT_EQ(List({"-0", t}).out, JoinEntries(entries, std::string(1, '\0')));
    EXPECT_EQ(List({"--null", "--depth", "2", t}).out,
              JoinEntries(ExpectedEntries(t + "/", 2), std::string(1, '\0')));

    // A folder without subfolders: nothing, or the text file's closing line end alone.
    test::MakeFolder(temp / "empty");
    EXPECT_EQ(List({temp / "empty"}).out, "");
    EXPECT_EQ(List({"--crlf", temp / "empty"}).out, "\r\n");
}

TEST(QuorvaneList, OutputFileIsWrittenWholeOrNotAtAll) {
    TempFolder temp;
    const std::string t = test::BuildAwkwardTree(temp.path());
    test::MakeFolder(temp / "out");
    const std::string file = temp / "out/list.txt";

    ProgramResult written = List({"--crlf", "-o", file, t});
    EXPECT_EQ(written.exitCode, 0) << written.err;
    EXPECT_EQ(written.out, "");
    EXPECT_EQ(test::ReadFile(file), JoinEntries(ExpectedEntries(t + "/"), "\r\n") + "\r\n");

    test::MakeFile(file, "old list");
    const ProgramResult missing = List({"--output", file, temp / "no such folder"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, kMissing);
    EXPECT_EQ(test::ReadFile(file), "old list");
    EXPECT_EQ(test::ListedNames(temp / "out"), std::vector<std::string>{"list.txt"});

    const ProgramResult unwritable = List({"-o", temp / "no such folder/list.txt", t});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_NE(unwritable.err.find("cannot write"), std::string::npos) << unwritable.err;
}

TEST(QuorvaneList, TargetThatIsNoFolderIsRefused) {
    TempFolder temp;
    test::MakeFile(temp / "file");
    test::MakeLink(temp / "dangling", "nowhere");
    for (const std::string& target :
         {temp / "missing", temp / "file", temp / "dangling", std::string()}) {
        const ProgramResult refused = List({target});
        EXPECT_EQ(refused.exitCode, 1) << target;
        EXPECT_EQ(refused.err, kMissing) << target;
        EXPECT_EQ(refused.out, "") << target;
    }
}

TEST(QuorvaneList, BadUsageShowsTheUsageAndExitsWithTwo) {
    const std::vector<std::vector<std::string>> bad{
        {}, {"a", "b"}, {"--no-such-option", "."}, {"--depth"}, {"-o"}, {"--depth", "2"}};
    for (const auto& arguments : bad) {
        const ProgramResult refused = List(arguments);
        EXPECT_EQ(refused.exitCode, 2);
        EXPECT_NE(refused.err.find("Usage: quorvane-list"), std::string::npos) << refused.err;
        EXPECT_EQ(refused.out, "");
    }
    const ProgramResult help = List({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.starts_with("Usage: quorvane-list")) << help.out;
    const ProgramResult version = List({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.starts_with("quorvane-list ")) << version.out;
    // After "--" a name that looks like an option is a folder.
    TempFolder temp;
    test::MakeFolders(temp / "-o/inner");
    const ProgramResult dashed = test::RunProgram(QUORVANE_LIST_PROGRAM, {"--", temp / "-o"});
    EXPECT_EQ(dashed.out, temp / "-o/inner\n");
}

TEST(QuorvaneList, UnreadableFoldersAreNamedOnlyWhenAskedAndMakeTheStatusOne) {
    TempFolder temp;
    chmod(temp.path().c_str(), 0755);
    const std::string t = temp / "T";
    test::MakeFolders(t + "/open/inside");
    test::MakeFolders(t + "/locked/kept out");
    chmod((t + "/locked").c_str(), 0);
    const auto user = test::UnprivilegedUser();
    if (!user && geteuid() == 0) GTEST_SKIP() << "running as root without a user to drop to";

    std::string expected = t + "/open/inside\n";
    for (const auto& name : test::ListedNames(t))
        expected += t + "/" + name + "\n";
    const ProgramResult quiet = List({t}, user);
    const ProgramResult told = List({"--show-errors", t}, user);
    chmod((t + "/locked").c_str(), 0755);

    EXPECT_EQ(quiet.exitCode, 0);
    EXPECT_EQ(quiet.out, expected);
    EXPECT_EQ(quiet.err, "");
    EXPECT_EQ(told.exitCode, 1);
    EXPECT_EQ(told.out, expected);
    EXPECT_EQ(told.err, "quorvane-list: cannot read " + t + "/locked/: Permission denied\n");

    const ProgramResult complete = List({"--show-errors", t + "/open"});
    EXPECT_EQ(complete.exitCode, 0);
    EXPECT_EQ(complete.err, "");
}

}  // namespace
}  // namespace quorvane
