// quorvane-list's drive options on the scratch drive d: of the Windows build's Wine prefix.

#include <gtest/gtest.h>

#include "cli/program_run.h"
#include "engine/drive_list.h"
#include "support/expected_walk.h"
#include "support/scratch_drive.h"

namespace quorvane {
namespace {

using test::ScratchDrive;

TEST_F(ScratchDrive, QuorvaneListWalksADriveNamedInEveryWay) {
    build();
    const ProgramRun byLetter = runList({"--drive", "d:"});
    EXPECT_EQ(byLetter.status, 0);
    EXPECT_EQ(byLetter.output, test::JoinEntries(test::ExpectedEntries(root), "\n"));
    EXPECT_EQ(runList({"--drive", "D:\\"}).output, runList({"--drive", "d: [SCRATCH]"}).output);
    EXPECT_NE(runList({"--first-level", "--all-drives"}).output.find("d:\\Alpha\n"),
              std::string::npos);
    EXPECT_EQ(runList({"--drive", "q:"}).status, 1);
}

}  // namespace
}  // namespace quorvane
