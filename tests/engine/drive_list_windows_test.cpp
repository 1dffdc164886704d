// Windows drives: the drive list, and a walk from a drive's root.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/drive_list.h"
#include "engine/folder_walk.h"
#include "support/expected_walk.h"
#include "support/scratch_drive.h"

namespace quorvane {
namespace {

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
}

// Records each folder in folder path form.
class RecordingSink : public FolderSink {
  public:
    void append(const ListedFolder& folder) override {
        paths.push_back(std::string(folder.entry) + "\\");
    }
    void unreadable(std::string_view, Status) override { ++failures; }

    std::vector<std::string> paths;
    int failures = 0;
};

// As a drive is walked, or to `depth` as a folder is.
std::vector<std::string> Walk(const std::string& root, DepthChoice depth = {}) {
    RecordingSink sink;
    WalkOptions options;
    options.stayOnVolume = !depth.limitDepth;
    options.depth = depth;
    EXPECT_TRUE(WalkFolders(root, options, sink).ok());
    EXPECT_EQ(sink.failures, 0);
    return sink.paths;
}

using test::ScratchDrive;

TEST_F(ScratchDrive, RootIsWalkedLikeAnyFolderAndGivesNoDotEntries) {
    // An empty root lists nothing at all, not even "." and "..": no failure, no result.
    EXPECT_TRUE(Walk(root).empty());

    build();
    const auto paths = Walk(root);
    EXPECT_EQ(paths, test::ExpectedWalk(root));
    EXPECT_EQ(paths.size(), 6u);
    for (const std::string& path : paths) {
        EXPECT_TRUE(path.starts_with(root)) << path;
        EXPECT_EQ(path.find("\\.\\"), std::string::npos) << path;
        EXPECT_EQ(path.find("\\..\\"), std::string::npos) << path;
    }
    EXPECT_EQ(Walk(root, {true, 1}), test::ExpectedWalk(root, 1));
    EXPECT_EQ(Walk("D:\\\\", {true, 1}), test::ExpectedWalk("D:\\", 1));
}

}  // namespace
}  // namespace quorvane
