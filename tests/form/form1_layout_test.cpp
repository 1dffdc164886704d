#include "form/form1_layout.h"

#include <gtest/gtest.h>

namespace quorvane::test {
namespace {

TEST(Form1Layout, ControlsInFramesArePlacedFromTheFramesCorner) {
    // Each level of containers is converted to pixels on its own, so the views agree.
    EXPECT_EQ(PixelRectInWindow(Control::DepthFrame), (PixelRect{8, 160, 520, 100}));
    EXPECT_EQ(PixelRectInWindow(Control::DepthBox), (PixelRect{8 + 112, 160 + 66, 57, 23}));
    EXPECT_EQ(PixelRectInWindow(Control::StartButton), (PixelRect{8, 269, 520, 27}));
    // At twice the dots per inch, twice the pixels.
    EXPECT_EQ(PixelRectInWindow(Control::DepthBox, 192), (PixelRect{240, 453, 114, 46}));
}

TEST(Form1Layout, TabOrderSkipsTheFramesAndStartsWithTheList) {
    using enum Control;
    EXPECT_EQ(TabOrder(), (std::vector<Control>{ResultsView,
                                                EntireComputerOption,
                                                DriveOption,
                                                DriveList,
                                                FolderOption,
                                                FolderBox,
                                                StartButton,
                                                HelpButton,
                                                SaveTextFileButton,
                                                SaveExcelFileButton,
                                                ClearButton,
                                                BrowseButton,
                                                CopyButton,
                                                SampleButton,
                                                RemoveContainingButton,
                                                RemoveNotContainingButton,
                                                DepthBox,
                                                AllSubfoldersOption,
                                                FirstSubfoldersOption,
                                                LimitDepthOption,
                                                DepthHelpButton}));
}

}  // namespace
}  // namespace quorvane::test
