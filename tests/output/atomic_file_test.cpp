// What the atomic file promises on every platform: a write that is not committed, or that
// cannot be, leaves the old file as it was and nothing beside it.

#include <gtest/gtest.h>

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
const int kMissingFolder = test::kMissingFolderError;

TEST(AtomicFile, NewFileHoldsTheBytesAsWrittenUnderAnyName) {
    TempFolder temp;
    const std::string name = "Ελληνικά 日本.txt";
    const std::string bytes("a\r\nb\0c\n\r\n", 9);
    ASSERT_TRUE(WriteFileAtomically(temp / name, bytes).ok());
    EXPECT_EQ(ReadFile(temp / name), bytes);  // binary: no CR is added
    EXPECT_EQ(ListedNames(temp.path()), std::vector<std::string>{name});
}

TEST(AtomicFile, ReplacesAnExistingFileOnlyAtTheCommit) {
    TempFolder temp;
    const std::string target = temp / "list.txt";
    test::MakeFile(target, "a much longer old content that must not survive in part");

    AtomicFile file(target);
    ASSERT_TRUE(file.open().ok());
    ASSERT_TRUE(file.write("new").ok());
    EXPECT_EQ(ReadFile(target), "a much longer old content that must not survive in part")
        << "the target changed before the commit";
    ASSERT_TRUE(file.commit().ok());
    EXPECT_EQ(ReadFile(target), "new");
    EXPECT_EQ(ListedNames(temp.path()), std::vector<std::string>{"list.txt"});
}

TEST(AtomicFile, WritesOfEverySizeArriveWholeAndInOrder) {
    TempFolder temp;
    const std::string target = temp / "large.txt";
    std::string expected;
    AtomicFile file(target);
    ASSERT_TRUE(file.open().ok());
    // Small writes that are gathered, and writes beyond the gathering buffer that are not.
    for (size_t size : {1u, 10u, 65535u, 2u, 200000u, 3u, 65536u, 1u << 20, 7u}) {
        const std::string piece(size, static_cast<char>('a' + expected.size() % 26));
        ASSERT_TRUE(file.write(piece).ok());
        expected += piece;
    }
    ASSERT_TRUE(file.commit().ok());
    EXPECT_EQ(ReadFile(target), expected);
}

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
