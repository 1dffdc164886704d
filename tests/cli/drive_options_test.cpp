// quorvane-list's drive options, run as the program itself on this machine's drives.

#include <gtest/gtest.h>

#include "cli/program_run.h"
#include "engine/drive_list.h"
#include "support/temp_folder.h"

namespace quorvane {
namespace {

TEST(DriveOptions, ListDrivesShowsEachDriveOfTheDriveList) {
    const ProgramRun run = runList({"--list-drives"});
    EXPECT_EQ(run.status, 0);
    std::string expected;
    for (const Drive& drive : ListDrives())
        expected += drive.displayText + "\t" + drive.root + "\n";
    EXPECT_EQ(run.output, expected);
}

TEST(DriveOptions, AllDrivesIsEachDriveInTurn) {
    std::string eachDrive;
    for (const Drive& drive : ListDrives()) {
        const ProgramRun one = runList({"--first-level", "--drive", drive.root});
        ASSERT_EQ(one.status, 0) << drive.root;
        eachDrive += one.output;
    }
    const ProgramRun all = runList({"--first-level", "--all-drives"});
    EXPECT_EQ(all.status, 0);
    EXPECT_EQ(all.output, eachDrive);
}

TEST(DriveOptions, UnknownDriveOrAFolderBesideADriveIsRefused) {
    const test::TempFolder folder;
    EXPECT_EQ(runList({"--drive", "/no/such/drive"}).status, 1);
    EXPECT_EQ(runList({"--drive", "/", folder.path()}).status, 2);
    EXPECT_EQ(runList({"--all-drives", folder.path()}).status, 2);
}

}  // namespace
}  // namespace quorvane
