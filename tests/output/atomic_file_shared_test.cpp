// What the atomic file promises on every platform: a write that is not committed, or that
// cannot be, leaves the old file as it was and nothing beside it.

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#endif

#include "engine/path_rules.h"
#include "output/atomic_file.h"
#include "output/output_target.h"
#include "support/fixture_tree.h"
#include "support/temp_folder.h"

namespace quorvane {
namespace {

using test::ListedNames;
using test::ReadFile;
using test::TempFolder;

// The system's code for a file in a folder that does not exist.
#ifdef _WIN32
constexpr int kMissingFolder = ERROR_PATH_NOT_FOUND;
#else
constexpr int kMissingFolder = ENOENT;
#endif

TEST(AtomicFile, AbandonedWriteLeavesTheOldFileAndNoPartialFile) {
    TempFolder temp;
    const std::string target = temp / "list.txt";
    test::MakeFile(target, "old");
    {
        AtomicFile file(target);
        ASSERT_TRUE(file.open().ok());
        ASSERT_TRUE(file.write("half of the new").ok());
    }
    EXPECT_EQ(ReadFile(target), "old");
    EXPECT_EQ(ListedNames(temp.path()), std::vector<std::string>{"list.txt"});
}

TEST(AtomicFile, TargetThatCannotBeReplacedIsReportedAndNothingIsLeft) {
    TempFolder temp;
    test::MakeFolders(temp / "a folder" + kSeparator + "inside");
    // Refused when it is opened (POSIX: a folder is no regular file, so it would be written
    // in place) or when the new file would take its place (Windows).
    AtomicFile intoFolder(temp / "a folder");
    Status status = intoFolder.open();
    if (status.ok()) status = intoFolder.write("text");
    if (status.ok()) status = intoFolder.commit();
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.code(), 0);
    EXPECT_EQ(ListedNames(temp.path()), std::vector<std::string>{"a folder"});
    EXPECT_EQ(ListedNames(temp / "a folder"), std::vector<std::string>{"inside"});

    AtomicFile nowhere(temp / "missing folder" + kSeparator + "list.txt");
    EXPECT_EQ(nowhere.open().code(), kMissingFolder);
    EXPECT_EQ(nowhere.write("text").code(), kMissingFolder);
    EXPECT_EQ(nowhere.commit().code(), kMissingFolder);
    EXPECT_EQ(WriteFileAtomically(temp / "missing folder" + kSeparator + "list.txt", "text").code(),
              kMissingFolder);
}

TEST(AtomicFile, PartialFileStaysBesideItsTargetWithinTheLongestName) {
    const std::string folder = std::string("folder") + kSeparator + std::string(300, 'f');
    const std::string longest(255, 'x');
    EXPECT_EQ(PartFileName(folder + kSeparator + "list.txt", 7),
              folder + kSeparator + "list.txt.part-000007");
    EXPECT_EQ(PartFileName(folder + kSeparator + longest, 1234567),
              folder + kSeparator + std::string(243, 'x') + ".part-234567");
    EXPECT_EQ(PartFileName(longest, 0), std::string(243, 'x') + ".part-000000");

    TempFolder temp;
    ASSERT_TRUE(WriteFileAtomically(temp / longest, "saved").ok());
    EXPECT_EQ(ReadFile(temp / longest), "saved");
    EXPECT_EQ(ListedNames(temp.path()), std::vector<std::string>{longest});
}

}  // namespace
}  // namespace quorvane
