// Runs the built quorvane-list on trees made at run time and compares its bytes, its
// messages and its exit status with what the window's results list would hold. What only one
// platform has is in quorvane_list_posix_test.cpp and quorvane_list_windows_test.cpp.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cli/list_run.h"
#include "engine/path_rules.h"
#include "results/path_list.h"
#include "results/text_file_export.h"
#include "support/expected_walk.h"
#include "support/fixture_tree.h"
#include "support/temp_folder.h"

namespace quorvane::list_test {
namespace {

PathList AsList(const std::vector<std::string>& entries) {
    PathList list;
    for (const std::string& entry : entries)
        list.append(entry);
    return list;
}

TEST(QuorvaneList, GivesTheWindowsEntriesForEveryLevelAndEachDepth) {
    TempFolder temp;
    const std::string t = test::BuildAwkwardTree(temp.path());
    const std::string root = t + kSeparator;

    ProgramResult every = List({t});
    EXPECT_EQ(every.exitCode, 0) << every.err;
    EXPECT_EQ(every.out, Lines(ExpectedEntries(root)));
    EXPECT_EQ(every.err, "");
    // The names that trip walkers up (not UTF-8, a line break, far outside the ANSI code
    // page) come out byte for byte.
    for (std::string folder : test::AwkwardNames().folders) {
        folder.pop_back();
        EXPECT_NE(every.out.find(root + folder + "\n"), std::string::npos) << folder;
    }

    for (int depth : {1, 2, 3}) {
        SCOPED_TRACE(depth);
        const ProgramResult limited = List({"--depth", std::to_string(depth), t});
        EXPECT_EQ(limited.exitCode, 0) << limited.err;
        EXPECT_EQ(limited.out, Lines(ExpectedEntries(root, depth)));
    }
    EXPECT_EQ(List({"--first-level", t}).out, Lines(ExpectedEntries(root, 1)));
    // A trailing separator, doubled ones, or both, change nothing.
    EXPECT_EQ(List({root}).out, every.out);
    const std::string doubled(2, kSeparator);
    EXPECT_EQ(List({temp.path() + doubled + "tree" + doubled}).out, every.out);
    EXPECT_EQ(List({"--depth", "2", temp.path() + doubled + "tree"}).out,
              Lines(ExpectedEntries(root, 2)));
}

// The depth's rules are the option parser's (cli_options_test.cpp); here how a run shows them.
TEST(QuorvaneList, DepthIsReadAsTheDepthBoxReadsIt) {
    TempFolder temp;
    const std::string t = test::BuildAwkwardTree(temp.path());
    const std::string root = t + kSeparator;
    // Halves go to the even number.
    EXPECT_EQ(List({"--depth", "2.5", t}).out, Lines(ExpectedEntries(root, 2)));
    // A level option refused names itself and why, on one line; the status is 2.
    const ProgramResult refused = List({"--min-depth", "0.5", t});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.err,
              std::string("quorvane-list: --min-depth: must be 1 or higher") + kErrorLineEnd);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(List({"--depth", "32767", t}).exitCode, 0);
}

// Links back to the folder itself, its parent and an ancestor: each is listed once and not
// entered, at any depth, and the run ends at once. With -P no link is a folder.
TEST(QuorvaneList, LinksThatLeadBackAreListedOnceAndLinksAreNoFoldersWithNoFollow) {
    TempFolder temp;
    const std::string t = temp / "T";
    const std::string s(1, kSeparator);
    test::MakeFolders(t + s + "a" + s + "b");
    test::MakeLink(t + s + "self", ".");
    test::MakeLink(t + s + "a" + s + "up", "..");
    test::MakeLink(t + s + "a" + s + "b" + s + "top", ".." + s + "..");
    const auto sortedLines = [](const ProgramResult& run) {
        EXPECT_EQ(run.exitCode, 0) << run.err;
        std::vector<std::string> lines;
        for (size_t start = 0, end; (end = run.out.find('\n', start)) != std::string::npos;
             start = end + 1)
            lines.push_back(run.out.substr(start, end - start));
        std::sort(lines.begin(), lines.end());
        return lines;
    };
    std::vector<std::string> every{t + s + "a", t + s + "a" + s + "b",
                                   t + s + "a" + s + "b" + s + "top", t + s + "a" + s + "up",
                                   t + s + "self"};
    std::sort(every.begin(), every.end());
    for (const char* depth : {"3", "6", "9"}) {
        SCOPED_TRACE(depth);
        EXPECT_EQ(sortedLines(List({"--depth", depth, t})), every);
    }
    EXPECT_EQ(sortedLines(List({t})), every);

    const std::vector<std::string> folders{t + s + "a", t + s + "a" + s + "b"};
    EXPECT_EQ(sortedLines(List({"-P", t})), folders);
    EXPECT_EQ(
        sortedLines(List({"--no-follow", t + s + "self"})),
        (std::vector<std::string>{t + s + "self" + s + "a", t + s + "self" + s + "a" + s + "b"}))
        << "a FOLDER named is walked even when it is a link";
}

TEST(QuorvaneList, LineEndsGiveTheExactBytes) {
    TempFolder temp;
    const std::string t = test::BuildAwkwardTree(temp.path());
    const auto entries = ExpectedEntries(t + kSeparator);
    // The window's text file: in the system's encoding, the ANSI code page on Windows.
    EXPECT_EQ(List({"--crlf", t}).out, ResultsTextFileBytes(AsList(entries)));
    EXPECT_EQ(List({"-0", t}).out, JoinEntries(entries, std::string(1, '\0')));
    EXPECT_EQ(List({"--null", "--depth", "2", t}).out,
              JoinEntries(ExpectedEntries(t + kSeparator, 2), std::string(1, '\0')));

    // A folder without subfolders: nothing, or the text file's closing line end alone.
    test::MakeFolder(temp / "empty");
    EXPECT_EQ(List({temp / "empty"}).out, "");
    EXPECT_EQ(List({"--crlf", temp / "empty"}).out, "\r\n");
}

TEST(QuorvaneList, OutputFileIsWrittenWholeOrNotAtAll) {
    TempFolder temp;
    const std::string t = test::BuildAwkwardTree(temp.path());
    test::MakeFolder(temp / "out");
    const std::string file = temp / "out" + kSeparator + "Λίστα.txt";

    ProgramResult written = List({"--crlf", "-o", file, t});
    EXPECT_EQ(written.exitCode, 0) << written.err;
    EXPECT_EQ(written.out, "");
    EXPECT_EQ(test::ReadFile(file), ResultsTextFileBytes(AsList(ExpectedEntries(t + kSeparator))));

    test::MakeFile(file, "old list");
    const ProgramResult missing = List({"--output", file, temp / "no such folder"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, Missing(temp / "no such folder"));
    EXPECT_EQ(test::ReadFile(file), "old list");
    EXPECT_EQ(test::ListedNames(temp / "out"), std::vector<std::string>{"Λίστα.txt"});

    const ProgramResult unwritable =
        List({"-o", temp / "no such folder" + kSeparator + "list.txt", t});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_NE(unwritable.err.find("cannot write"), std::string::npos) << unwritable.err;
}

TEST(QuorvaneList, TargetThatIsNoFolderIsNamedWithTheReason) {
    TempFolder temp;
    test::MakeFile(temp / "file");
    const std::pair<std::string, std::string> refusals[] = {
        {temp / "missing", Missing(temp / "missing")},
        {"", Missing("")},
        {temp / "file", "quorvane-list: " + temp / "file" + ": Not a directory" + kErrorLineEnd},
    };
    for (const auto& [target, message] : refusals) {
        const ProgramResult refused = List({target});
        EXPECT_EQ(refused.exitCode, 1) << target;
        EXPECT_EQ(refused.err, message) << target;
        EXPECT_EQ(refused.out, "") << target;
    }
}

TEST(QuorvaneList, BadUsageShowsTheUsageAndExitsWithTwo) {
    const std::vector<std::vector<std::string>> bad{{"--relative", "a", "b"},
                                                    {"--no-such-option", "."},
                                                    {"--depth"},
                                                    {"-o"},
                                                    {"--drive", "x", "."}};
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
    test::MakeFolders(temp / "-o" + kSeparator + "inner");
    const ProgramResult dashed = test::RunProgram(QUORVANE_LIST_PROGRAM, {"--", temp / "-o"});
    EXPECT_EQ(dashed.out, temp / "-o" + kSeparator + "inner\n");
}

}  // namespace
}  // namespace quorvane::list_test
