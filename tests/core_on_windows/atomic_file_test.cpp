#include "output/atomic_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "support/fixture_tree.h"
#include "support/temp_folder.h"

namespace quorvane {
namespace {

using test::ListedNames;
using test::ReadFile;
using test::TempFolder;

TEST(WindowsAtomicFile, ReplacesAFileNamedBeyondTheCodePageLeavingNothingElse) {
    TempFolder temp;
    const std::string name = "Ελληνικά 日本.txt";
    const std::string target = temp / name;
    ASSERT_TRUE(WriteFileAtomically(target, std::string("a\r\nb\0c\n", 7)).ok());
    EXPECT_EQ(ReadFile(target), std::string("a\r\nb\0c\n", 7));  // binary: no CR is added

    AtomicFile file(target);
    ASSERT_TRUE(file.open().ok());
    ASSERT_TRUE(file.write("new").ok());
    EXPECT_EQ(ReadFile(target), std::string("a\r\nb\0c\n", 7)) << "changed before the commit";
    ASSERT_TRUE(file.commit().ok());
    EXPECT_EQ(ReadFile(target), "new");
    EXPECT_EQ(ListedNames(temp.path()), std::vector<std::string>{name});
}

TEST(WindowsAtomicFile, WritesOfEverySizeArriveWholeAndInOrder) {
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

TEST(WindowsAtomicFile, DeviceNamesAreWrittenInPlaceAndNoFileTakesTheirName) {
    TempFolder temp;
    for (const char* device : {"NUL", "nul.txt"}) {
        SCOPED_TRACE(device);
        EXPECT_TRUE(WriteFileAtomically(temp / device, "to the device").ok());
    }
    EXPECT_TRUE(ListedNames(temp.path()).empty());
    // Names that only look like devices are files.
    ASSERT_TRUE(WriteFileAtomically(temp / "NULL", "a file").ok());
    ASSERT_TRUE(WriteFileAtomically(temp / "COM0", "a file").ok());
    EXPECT_EQ(ListedNames(temp.path()).size(), 2u);
}

}  // namespace
}  // namespace quorvane
