#include "engine/folder_exists.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "support/fixture_tree.h"
#include "support/temp_folder.h"

namespace quorvane {
namespace {

TEST(WindowsFolderExists, TellsFolderFromFileFromMissingInEveryFormOfPath) {
    test::TempFolder temp;
    test::MakeFolder(temp / "folder");
    test::MakeFolder(temp / "Ελληνικά 日本 😀");
    test::MakeFolder(temp / "hidden");
    test::SetAttributes(temp / "hidden", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    test::MakeFile(temp / "file.txt");
    std::string deep = temp / "deep";
    while (deep.size() < 300)
        deep += "\\" + std::string(50, 'd');
    test::MakeFolders(deep);

    EXPECT_EQ(FolderExists(temp / "folder"), true);
    EXPECT_EQ(FolderExists(temp / "folder\\"), true);
    EXPECT_EQ(FolderExists(temp / "folder\\\\"), true);
    EXPECT_EQ(FolderExists(temp.path() + "/folder/"), true);
    EXPECT_EQ(FolderExists(temp / "Ελληνικά 日本 😀"), true);
    EXPECT_EQ(FolderExists(temp / "hidden"), true);  // the walk leaves it out, but it exists
    EXPECT_EQ(FolderExists(deep), true);
    EXPECT_EQ(FolderExists(temp.path().substr(0, 3)), true);  // the drive's root
    EXPECT_EQ(FolderExists(temp / "file.txt"), false);
    EXPECT_EQ(FolderExists(temp / "missing"), std::nullopt);
    EXPECT_EQ(FolderExists(temp / "Ελληνικά 日本"), std::nullopt);
    EXPECT_EQ(FolderExists(deep + "\\missing"), std::nullopt);
    EXPECT_EQ(FolderExists(""), std::nullopt);
}

}  // namespace
}  // namespace quorvane
