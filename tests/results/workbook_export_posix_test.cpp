// The workbook on a volume that fills up, which only POSIX can mount for a test.

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "results/results_workbook.h"
#include "results/scratch_folder.h"
#include "support/full_volume.h"
#include "support/run_program.h"

namespace quorvane {
namespace {

using testing::ScratchFolder;

TEST(WorkbookExport, FullVolumeIsOneFailureThatLeavesNoPartialWorkbook) {
    ScratchFolder folder;
    const std::string full = folder.file("full");
    std::filesystem::create_directory(full);
    FolderList many;
    for (int i = 0; i < 2000; ++i)
        many.append("/srv/a folder with a name of some length " + std::to_string(i));

    const std::string outcome = test::RunInChild([&] {
        if (!test::MountFullVolume(full)) return std::string("cannot mount");
        const Status failure = WriteResultsWorkbook(many, full + "/results.xlsx");
        std::string names;
        for (const auto& entry : std::filesystem::directory_iterator(full))
            names += entry.path().filename().string() + " ";
        return (failure.ok() ? "written" : std::to_string(failure.code())) + ": " + names;
    });
    if (outcome == "cannot mount") GTEST_SKIP() << "no right to mount a volume here";
    EXPECT_EQ(outcome, std::to_string(ENOSPC) + ": filler ");
}

}  // namespace
}  // namespace quorvane
