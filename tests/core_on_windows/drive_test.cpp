// Windows drives: the drive list, a walk from a drive's root, and quorvane-list's drive
// options. Under Wine the build gives the prefix the drives c:, d: (labelled SCRATCH and
// empty, for these tests only) and p: (the programs); these tests hold a lock on them.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "core_on_windows/walk_recorder.h"
#include "engine/drive_list.h"
#include "support/expected_walk.h"
#include "support/fixture_tree.h"
#include "support/run_program.h"
#include "support/wide_text.h"

namespace quorvane {
namespace {

using namespace windows_test;

std::string RunList(const std::vector<std::string>& arguments, int expectedStatus = 0) {
    const test::ProgramResult result = test::RunProgram(QUORVANE_LIST_PROGRAM, arguments);
    EXPECT_EQ(result.exitCode, expectedStatus) << result.err;
    return result.out;
}

// A drive of this computer that holds only what a test puts there; skips the test without.
class ScratchDrive : public ::testing::Test {
  protected:
    void SetUp() override {
        wchar_t label[MAX_PATH + 1] = {};
        if (!GetVolumeInformationW(L"D:\\", label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr,
                                   0) ||
            std::wstring(label) != L"SCRATCH") {
            GTEST_SKIP() << "no scratch drive d: (the Wine prefix of the Windows build has one)";
        }
        clear();
    }
    void TearDown() override { clear(); }

    void clear() {
        for (const char* made : {"Alpha", "Beta", "Hidden", "System", "file.txt"}) {
            const std::string path = root + made;
            const DWORD attributes = GetFileAttributesW(test::LongForm(path).c_str());
            if (attributes == INVALID_FILE_ATTRIBUTES) continue;
            if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
                test::RemoveTree(path);
            } else {
                SetFileAttributesW(test::LongForm(path).c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(test::LongForm(path).c_str());
            }
        }
    }

    void build() {
        test::MakeFolders(root + "Alpha\\One\\Deep");
        test::MakeFolder(root + "Alpha\\Two");
        test::MakeFolders(root + "Beta\\Inner");
        test::MakeFolders(root + "Hidden\\Inside");
        test::SetAttributes(root + "Hidden", FILE_ATTRIBUTE_HIDDEN);
        test::MakeFolder(root + "System");
        test::SetAttributes(root + "System", FILE_ATTRIBUTE_SYSTEM);
        test::MakeFile(root + "file.txt", "x");
    }

    // The root as the drive list writes it.
    const std::string root = "d:\\";
};

TEST_F(ScratchDrive, RootIsWalkedLikeAnyFolderAndGivesNoDotEntries) {
    // An empty root lists nothing at all, not even "." and "..": no failure, no result.
    WalkOptions drive;
    drive.stayOnVolume = true;
    RecordingSink empty;
    WalkAll(root, drive, empty);
    EXPECT_TRUE(empty.paths.empty());
    EXPECT_TRUE(empty.failures.empty());

    build();
    RecordingSink sink;
    WalkAll(root, drive, sink);
    EXPECT_EQ(sink.paths, test::ExpectedWalk(root));
    EXPECT_EQ(sink.paths.size(), 6u);
    EXPECT_TRUE(sink.failures.empty());
    for (const std::string& path : sink.paths) {
        EXPECT_TRUE(path.starts_with(root)) << path;
        EXPECT_EQ(path.find("\\.\\"), std::string::npos) << path;
        EXPECT_EQ(path.find("\\..\\"), std::string::npos) << path;
    }
    EXPECT_EQ(WalkDepth(root, 1), test::ExpectedWalk(root, 1));
    EXPECT_EQ(WalkDepth("D:\\\\", 1), test::ExpectedWalk("D:\\", 1));
}

TEST_F(ScratchDrive, QuorvaneListWalksADriveAndEachDriveInTurn) {
    build();
    EXPECT_EQ(RunList({"--drive", "d:"}), test::JoinEntries(test::ExpectedEntries(root), "\n"));
    EXPECT_EQ(RunList({"--drive", "D:\\"}), RunList({"--drive", "d: [SCRATCH]"}));

    // Only the first level of every drive: c: is shared with the tests running meanwhile.
    std::string eachDrive;
    for (const Drive& drive : ListDrives())
        eachDrive += RunList({"--first-level", "--drive", drive.root});
    EXPECT_EQ(RunList({"--first-level", "--all-drives"}), eachDrive);
    EXPECT_NE(eachDrive.find("d:\\Alpha\n"), std::string::npos) << eachDrive;

    RunList({"--drive", "q:"}, 1);
}

TEST(WindowsDrives, DriveListHasEachLetterWithItsLabelAndRoot) {
    const std::vector<Drive> drives = ListDrives();
    const DWORD mask = GetLogicalDrives();
    std::string letters;
    for (const Drive& drive : drives) {
        ASSERT_EQ(drive.root.size(), 3u) << drive.root;
        const char letter = drive.root[0];
        EXPECT_TRUE(letter >= 'a' && letter <= 'z') << drive.root;
        EXPECT_EQ(drive.root.substr(1), ":\\");
        EXPECT_TRUE(mask & (1u << (letter - 'a'))) << drive.root;
        EXPECT_TRUE(drive.displayText == drive.root.substr(0, 2) ||
                    (drive.displayText.starts_with(drive.root.substr(0, 2) + " [") &&
                     drive.displayText.ends_with("]")))
            << drive.displayText;
        letters += letter;
    }
    EXPECT_EQ(static_cast<size_t>(__builtin_popcount(mask)), drives.size());
    EXPECT_TRUE(std::is_sorted(letters.begin(), letters.end())) << letters;
    EXPECT_NE(letters.find('c'), std::string::npos) << letters;

    // The program shows the same list.
    std::string expected;
    for (const Drive& drive : drives)
        expected += drive.displayText + "\t" + drive.root + "\n";
    EXPECT_EQ(RunList({"--list-drives"}), expected);
}

TEST(WindowsDrives, FindDriveTakesTheLetterInEitherCaseTheRootOrTheDisplayText) {
    const std::vector<Drive> drives = {{"c: [SYSTEM]", "c:\\"}, {"d:", "d:\\"}};
    for (const char* name : {"c:", "C:", "c:\\", "C:\\", "c: [SYSTEM]"}) {
        EXPECT_EQ(FindDrive(drives, name), &drives[0]) << name;
    }
    for (const char* name : {"d:", "D:\\"})
        EXPECT_EQ(FindDrive(drives, name), &drives[1]) << name;
    for (const char* name : {"", "c", "e:", "C:\\Windows", "c: [OTHER]"}) {
        EXPECT_EQ(FindDrive(drives, name), nullptr) << name;
    }
}

}  // namespace
}  // namespace quorvane
