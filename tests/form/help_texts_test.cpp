#include <gtest/gtest.h>

#include "engine/path_rules.h"
#include "form/help_texts.h"
#include "support/fixture_tree.h"

namespace quorvane {
namespace {

TEST(SampleFolderPath, AppendsSamplesWithoutTidyingTheProgramFolder) {
    const std::string program = test::kRootFolder + "Program Files" + kSeparator + "Quorvane";
    EXPECT_EQ(SampleFolderPath(program), program + kSeparator + "Samples");
    EXPECT_EQ(SampleFolderPath(test::kRootFolder), test::kRootFolder + kSeparator + "Samples");
}

}  // namespace
}  // namespace quorvane
