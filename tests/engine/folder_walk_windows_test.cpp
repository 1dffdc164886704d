// The walk where only Windows has what it meets: slashes as separators, and folders known by
// their volume's serial number.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/folder_access.h"
#include "engine/walk_test_support.h"
#include "support/expected_walk.h"
#include "support/fixture_tree.h"
#include "support/temp_folder.h"
#include "support/wide_text.h"

namespace quorvane::walk_test {
namespace {

using test::ExpectedWalk;
using test::MakeFolder;
using test::MakeFolders;
using test::TempFolder;

TEST_P(FolderWalk, SlashesInTheTargetAreSeparatorsAndTheResultsBeginWithItAsWritten) {
    TempFolder temp;
    const std::string t = test::BuildAwkwardTree(temp.path()) + "\\";
    const auto expected = ExpectedWalk(t);
    std::string slashed = t;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    std::vector<std::string> expectedSlashed;
    for (const std::string& path : expected)
        expectedSlashed.push_back(slashed + path.substr(t.size()));
    EXPECT_EQ(WalkEvery(slashed), expectedSlashed);
}

std::optional<FolderIdentity> IdentityOfFolder(const std::string& path) {
    return IdentityOf(HeldFolder(path));
}

TEST(WindowsWalk, IdentityNamesTheFolderWhicheverPathReachesIt) {
    TempFolder temp;
    MakeFolders(temp / "one\\inner");
    MakeFolder(temp / "two");
    const auto identityOne = IdentityOfFolder(temp / "one\\");
    const auto identityTwo = IdentityOfFolder(temp / "two\\");
    ASSERT_TRUE(identityOne && identityTwo);
    EXPECT_NE(identityOne, identityTwo);
    EXPECT_EQ(IdentityOfFolder(temp / "two\\..\\.\\one\\\\"), identityOne);

    DWORD serial = 0;
    const std::wstring drive = test::Wide(temp.path().substr(0, 3));
    ASSERT_TRUE(
        GetVolumeInformationW(drive.c_str(), nullptr, 0, &serial, nullptr, nullptr, nullptr, 0));
    EXPECT_EQ(identityOne->device, serial);
}

}  // namespace
}  // namespace quorvane::walk_test
