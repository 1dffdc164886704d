#include <gtest/gtest.h>

#include "form/help_texts.h"

namespace quorvane {
namespace {

TEST(SampleFolderPath, AppendsSamplesWithoutTidyingTheProgramFolder) {
#ifdef _WIN32
    EXPECT_EQ(SampleFolderPath("C:\\Program Files\\Quorvane"),
              "C:\\Program Files\\Quorvane\\Samples");
    EXPECT_EQ(SampleFolderPath("C:\\"), "C:\\\\Samples");
#else
    EXPECT_EQ(SampleFolderPath("/opt/quorvane"), "/opt/quorvane/Samples");
    EXPECT_EQ(SampleFolderPath("/"), "//Samples");
#endif
}

}  // namespace
}  // namespace quorvane
