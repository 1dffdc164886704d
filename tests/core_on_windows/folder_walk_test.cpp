// The walk over Windows folders: FindFirstFileExW, the hidden and system attributes, names in
// UTF-16, the extended-length form. Trees are made at run time in the temporary folder, and
// every expected order is read back from the file system.

#include "engine/folder_walk.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <set>

#include "core_on_windows/walk_recorder.h"
#include "engine/folder_access.h"
#include "support/expected_walk.h"
#include "support/fixture_tree.h"
#include "support/temp_folder.h"
#include "support/wide_text.h"

namespace quorvane {
namespace {

using test::ExpectedWalk;
using test::ListedNames;
using test::MakeFile;
using test::MakeFolder;
using test::MakeFolders;
using test::SetAttributes;
using test::TempFolder;
using namespace windows_test;

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A tree of what the Windows walk must get right: hidden, system and hidden-system folders
// with folders inside, a read-only folder, files, names far outside the ANSI code page,
// names ending in a blank or a dot (which only the extended-length form reaches), and a chain
// of ten nested folders. Returns its path, without a trailing separator.
std::string BuildWindowsTree(const TempFolder& temp) {
    const std::string t = temp / "tree";
    MakeFolders(t + "\\Alpha\\Alpha One\\deep");
    MakeFolder(t + "\\Alpha\\alpha two");
    MakeFolders(t + "\\Alpha\\Hidden in Alpha\\never");
    SetAttributes(t + "\\Alpha\\Hidden in Alpha", FILE_ATTRIBUTE_HIDDEN);
    MakeFolders(t + "\\System\\innermost");
    SetAttributes(t + "\\System", FILE_ATTRIBUTE_SYSTEM);
    MakeFolders(t + "\\Both\\inside both");
    SetAttributes(t + "\\Both", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    MakeFolders(t + "\\Read Only\\below read only");
    SetAttributes(t + "\\Read Only", FILE_ATTRIBUTE_READONLY);
    MakeFile(t + "\\file at top.txt", "x");
    MakeFile(t + "\\Alpha\\file.txt", "y");
    MakeFile(t + "\\hidden file", "z");
    SetAttributes(t + "\\hidden file", FILE_ATTRIBUTE_HIDDEN);

    MakeFolders(t + "\\Ελληνικά\\λέξη");
    MakeFolders(t + "\\日本語\\子");
    MakeFolder(t + "\\emoji 😀");
    MakeFolder(t + "\\café");
    MakeFolders(t + "\\trailing blank \\inside blank");
    MakeFolders(t + "\\trailing dot.\\inside dot");

    std::string deep = t + "\\deep";
    for (int level = 1; level <= 10; ++level)
        deep += "\\d" + std::to_string(level);
    MakeFolders(deep);
    return t;
}

// The documentation's example: T holds A and B, A holds A1 and A2, A1 holds A1a, B holds B1.
std::string BuildExampleTree(const TempFolder& temp) {
    const std::string t = temp / "T";
    MakeFolders(t + "\\A\\A1\\A1a");
    MakeFolder(t + "\\A\\A2");
    MakeFolders(t + "\\B\\B1");
    return t + "\\";
}

TEST(WindowsWalk, EachFolderBlockComesAfterEverythingBelowIt) {
    TempFolder temp;
    const std::string t = BuildExampleTree(temp);
    const auto top = ListedNames(t);
    const auto inA = ListedNames(t + "A");
    const std::vector<std::string> belowA = {t + "A\\A1\\A1a\\"};
    const std::vector<std::string> blockA = {t + "A\\" + inA[0] + "\\", t + "A\\" + inA[1] + "\\"};
    const std::vector<std::string> belowB = {t + "B\\B1\\"};
    const std::vector<std::string> blockT = {t + top[0] + "\\", t + top[1] + "\\"};
    const bool aFirst = top[0] == "A";

    const auto every = aFirst ? belowA + blockA + belowB : belowB + belowA + blockA;
    EXPECT_EQ(WalkEvery(t), every + blockT);
    EXPECT_EQ(WalkDepth(t, 2), (aFirst ? blockA + belowB : belowB + blockA) + blockT);
    EXPECT_EQ(WalkDepth(t, 1), blockT);
    // The reference walk that the other tests lean on agrees with the rule spelled out here.
    EXPECT_EQ(ExpectedWalk(t), every + blockT);
}

TEST(WindowsWalk, HiddenAndSystemFoldersAreNeitherListedNorEntered) {
    TempFolder temp;
    const std::string t = BuildWindowsTree(temp) + "\\";
    const auto found = WalkEvery(t);
    EXPECT_EQ(found, ExpectedWalk(t));
    EXPECT_EQ(std::set<std::string>(found.begin(), found.end()).size(), found.size())
        << "a folder listed twice";
    for (const std::string& path : found) {
        for (const char* hidden :
             {"Hidden in Alpha", "never", "System", "innermost", "Both", "inside both"}) {
            EXPECT_EQ(path.find(hidden), std::string::npos) << "listed or entered: " << path;
        }
        EXPECT_FALSE(path.ends_with(".txt\\") || path.ends_with("hidden file\\")) << path;
        EXPECT_EQ(path.find("\\\\", 2), std::string::npos) << path;
    }
    // Read-only says nothing about visibility.
    EXPECT_TRUE(Contains(found, t + "Read Only\\below read only\\"));
    EXPECT_TRUE(Contains(found, t + "deep\\d1\\d2\\d3\\d4\\d5\\d6\\d7\\d8\\d9\\d10\\"));
}

TEST(WindowsWalk, NamesBeyondTheAnsiCodePageComeBackExactly) {
    TempFolder temp;
    const std::string t = BuildWindowsTree(temp) + "\\";
    const auto found = WalkEvery(t);
    for (const char* folder : {"Ελληνικά\\", "Ελληνικά\\λέξη\\", "日本語\\子\\", "emoji 😀\\",
                               "café\\", "trailing blank \\", "trailing blank \\inside blank\\",
                               "trailing dot.\\", "trailing dot.\\inside dot\\"}) {
        EXPECT_TRUE(Contains(found, t + folder)) << folder;
    }
}

TEST(WindowsWalk, DepthLimitGivesLevelsOneToNAndBelowOneOnlyTheFirst) {
    TempFolder temp;
    const std::string t = BuildWindowsTree(temp) + "\\";
    for (int depth : {1, 2, 3, 4}) {
        SCOPED_TRACE(depth);
        const auto found = WalkDepth(t, static_cast<std::int16_t>(depth));
        EXPECT_EQ(found, ExpectedWalk(t, depth));
        std::string deepest = t + "deep\\";
        for (int level = 1; level < depth; ++level)
            deepest += "d" + std::to_string(level) + "\\";
        EXPECT_TRUE(Contains(found, deepest));
        EXPECT_FALSE(Contains(found, deepest + "d" + std::to_string(depth) + "\\"));
    }
    const auto first = WalkDepth(t, 1);
    EXPECT_EQ(WalkDepth(t, 0), first);
    EXPECT_EQ(WalkDepth(t, -1), first);
}

TEST(WindowsWalk, DoubledBackslashesAndSlashesInTheTargetDoNotReachTheResults) {
    TempFolder temp;
    const std::string t = BuildWindowsTree(temp) + "\\";
    const auto expected = ExpectedWalk(t);
    EXPECT_EQ(WalkEvery(temp.path() + "\\\\tree\\\\"), expected);
    EXPECT_EQ(WalkDepth(temp.path() + "\\\\tree\\\\", 2), ExpectedWalk(t, 2));

    // Slashes are taken as separators when listing, and the results begin with the target
    // as it was written.
    std::string slashed = t;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    std::vector<std::string> expectedSlashed;
    for (const std::string& path : expected)
        expectedSlashed.push_back(slashed + path.substr(t.size()));
    EXPECT_EQ(WalkEvery(slashed), expectedSlashed);
}

TEST(WindowsWalk, FolderDeeperThan260CharactersIsWalkedAndReportedInTheOrdinaryForm) {
    TempFolder temp;
    const std::string t = temp / "long\\";
    std::string folder = t;
    while (folder.size() < 400) {
        folder += "level " + std::to_string(folder.size()) + " " + std::string(40, 'x') + "\\";
    }
    MakeFolders(folder + "bottom\\below the bottom");
    MakeFolder(folder + "beside the bottom");

    const auto found = WalkEvery(t);
    EXPECT_EQ(found, ExpectedWalk(t));
    EXPECT_TRUE(Contains(found, folder + "bottom\\below the bottom\\"));
    EXPECT_TRUE(Contains(found, folder + "beside the bottom\\"));
    for (const std::string& path : found)
        EXPECT_FALSE(path.starts_with("\\\\?\\")) << path;

    // Started below the limit already.
    EXPECT_EQ(WalkEvery(folder), ExpectedWalk(folder));
    EXPECT_EQ(WalkEvery(folder).size(), 3u);
}

// Handles events the way a window does, leaving the last error changed behind it.
class ErrorChangingYield : public YieldHook {
  public:
    void yield() override { SetLastError(ERROR_ACCESS_DENIED); }
};

TEST(WindowsWalk, FolderThatCannotBeListedAddsNothingAndIsReportedWithItsOwnError) {
    TempFolder temp;
    MakeFile(temp / "file.txt", "x");
    MakeFolder(temp / "empty");
    ErrorChangingYield yield;
    const auto walk = [&](const std::string& root) {
        RecordingSink sink;
        WalkOptions options;
        options.yield = &yield;
        WalkAll(root, options, sink);
        return sink;
    };

    const RecordingSink missing = walk(temp / "no such folder\\");
    EXPECT_TRUE(missing.paths.empty());
    ASSERT_EQ(missing.failures.size(), 1u);
    EXPECT_EQ(missing.failures[0].path, temp / "no such folder\\");
    EXPECT_EQ(missing.failures[0].error, ERROR_PATH_NOT_FOUND);

    const RecordingSink file = walk(temp / "file.txt\\");
    EXPECT_TRUE(file.paths.empty());
    EXPECT_EQ(file.failures.size(), 1u);

    const RecordingSink empty = walk(temp / "empty\\");
    EXPECT_TRUE(empty.paths.empty());
    EXPECT_TRUE(empty.failures.empty());
}

std::optional<FolderIdentity> IdentityOfFolder(const std::string& path) {
    return IdentityOf(HeldFolder(path));
}

TEST(WindowsWalk, IdentityNamesTheFolderWhicheverPathReachesIt) {
    TempFolder temp;
    MakeFolders(temp / "one\\inner");
    MakeFolder(temp / "two");
    const auto identityOne = IdentityOfFolder(temp / "one\\");
    const auto identityTwo = IdentityOfFolder(temp / "two\\");
    ASSERT_TRUE(identityOne && identityTwo);
    EXPECT_NE(identityOne, identityTwo);
    EXPECT_EQ(IdentityOfFolder(temp / "two\\..\\.\\one\\\\"), identityOne);

    DWORD serial = 0;
    const std::wstring drive = test::Wide(temp.path().substr(0, 3));
    ASSERT_TRUE(
        GetVolumeInformationW(drive.c_str(), nullptr, 0, &serial, nullptr, nullptr, nullptr, 0));
    EXPECT_EQ(identityOne->device, serial);
}

TEST(WindowsWalk, SharingTheWalkChangesNothingInTheList) {
    TempFolder temp;
    const std::string tree = BuildWindowsTree(temp) + "\\";
    std::string deep = temp / "long\\";
    while (deep.size() < 400)
        deep += std::string(40, 'x') + " " + std::to_string(deep.size()) + "\\";
    MakeFolders(deep + "bottom\\below the bottom");
    for (const std::string& root : {tree, temp.path() + "\\"}) {
        SCOPED_TRACE(root);
        const auto alone = Walk(root, WithThreads(1));
        EXPECT_EQ(Walk(root, WithThreads(4)), alone);
        EXPECT_EQ(Walk(root, WithThreads(3, 1)), alone);
        EXPECT_EQ(Walk(root, WithThreads(4, WalkOptions().aheadLimit, {true, 2})),
                  WalkDepth(root, 2));
    }
}

}  // namespace
}  // namespace quorvane
