#include <gtest/gtest.h>

#include "output/atomic_file.h"
#include "support/fixture_tree.h"
#include "support/temp_folder.h"

namespace quorvane {
namespace {

using test::ListedNames;
using test::TempFolder;

TEST(AtomicFile, DeviceNamesAreWrittenInPlaceAndNoFileTakesTheirName) {
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
