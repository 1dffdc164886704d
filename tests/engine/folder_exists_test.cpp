#include "engine/folder_exists.h"

#include <gtest/gtest.h>

#include "engine/path_rules.h"
#include "support/fixture_tree.h"
#include "support/temp_folder.h"

namespace quorvane {
namespace {

TEST(FolderExists, TellsFolderFromOtherFromUnreadable) {
    test::TempFolder temp;
    test::MakeFolder(temp / "folder");
    test::MakeFolder(temp / "Ελληνικά 日本 😀");
    test::MakeFile(temp / "file");
    std::string deep = temp / "deep";
    while (deep.size() < 300)
        deep += kSeparator + std::string(50, 'd');
    test::MakeFolders(deep);

    EXPECT_EQ(FolderExists(temp / "folder"), true);
    EXPECT_EQ(FolderExists(temp / "folder" + kSeparator), true);
    EXPECT_EQ(FolderExists(temp / "Ελληνικά 日本 😀"), true);
    EXPECT_EQ(FolderExists(deep), true);
    EXPECT_EQ(FolderExists(temp / "file"), false);
    EXPECT_EQ(FolderExists(temp / "missing"), std::nullopt);
    EXPECT_EQ(FolderExists(temp / "Ελληνικά 日本"), std::nullopt);
    EXPECT_EQ(FolderExists(deep + kSeparator + "missing"), std::nullopt);
    EXPECT_EQ(FolderExists(""), std::nullopt);
}

}  // namespace
}  // namespace quorvane
