#include <windows.h>

#include <gtest/gtest.h>

#include "engine/folder_exists.h"
#include "support/fixture_tree.h"
#include "support/temp_folder.h"

namespace quorvane {
namespace {

TEST(FolderExists, EveryFormOfAWindowsPathIsTaken) {
    test::TempFolder temp;
    test::MakeFolder(temp / "folder");
    test::MakeFolder(temp / "hidden");
    test::SetAttributes(temp / "hidden", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);

    EXPECT_EQ(FolderExists(temp / "folder\\\\"), true);
    EXPECT_EQ(FolderExists(temp.path() + "/folder/"), true);
    EXPECT_EQ(FolderExists(temp / "hidden"), true);  // the walk leaves it out, but it exists
    EXPECT_EQ(FolderExists(temp.path().substr(0, 3)), true);  // the drive's root
}

}  // namespace
}  // namespace quorvane
