#include "form/form1_layout.h"

#include <gtest/gtest.h>

namespace quorvane::test {
namespace {

TEST(Form1Layout, ControlsInFramesArePlacedFromTheFramesCorner) {
    // Each level of containers is converted to pixels on its own, so the views agree.
    EXPECT_EQ(PixelRectInWindow(Control::Frame2), (PixelRect{8, 160, 520, 100}));
    EXPECT_EQ(PixelRectInWindow(Control::Text2), (PixelRect{8 + 112, 160 + 66, 57, 23}));
    EXPECT_EQ(PixelRectInWindow(Control::PushButton1), (PixelRect{8, 269, 520, 27}));
    // At twice the dots per inch, twice the pixels.
    EXPECT_EQ(PixelRectInWindow(Control::Text2, 192), (PixelRect{240, 453, 114, 46}));
}

TEST(Form1Layout, TabOrderSkipsTheFramesAndStartsWithTheList) {
    using enum Control;
    EXPECT_EQ(TabOrder(),
              (std::vector<Control>{
                  ListView1,   Option3,     Option4,      Drive1,       Option5,     Text1,
                  PushButton1, PushButton3, PushButton2,  PushButton4,  PushButton6, PushButton5,
                  PushButton7, PushButton8, PushButton19, PushButton20, Text2,       Option8,
                  Option7,     Option6,     PushButton9}));
}

}  // namespace
}  // namespace quorvane::test
