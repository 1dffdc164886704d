#include <gtest/gtest.h>

#include "engine/folder_exists.h"
#include "support/fixture_tree.h"
#include "support/temp_folder.h"

namespace quorvane {
namespace {

TEST(FolderExists, LinksCountAsWhatTheyLeadTo) {
    test::TempFolder temp;
    test::MakeFolder(temp / "folder");
    test::MakeFile(temp / "file");
    test::MakeLink(temp / "link to folder", "folder");
    test::MakeLink(temp / "link to file", "file");
    test::MakeLink(temp / "dangling", "nowhere");

    EXPECT_EQ(FolderExists(temp / "link to folder"), true);
    EXPECT_EQ(FolderExists(temp / "link to file"), false);
    EXPECT_EQ(FolderExists(temp / "dangling"), std::nullopt);
    EXPECT_EQ(FolderExists(temp / "file/"), std::nullopt);
}

}  // namespace
}  // namespace quorvane
