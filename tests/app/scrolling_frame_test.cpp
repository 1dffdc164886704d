// The window on a screen too small for it: shown in a frame that scrolls, which the screen
// holds, with every control reachable and the layout untouched.

#include "app/scrolling_frame.h"

#include <gtest/gtest.h>

#include <QScrollBar>

#include "form/form1_layout.h"
#include "form_harness.h"

namespace quorvane::test {
namespace {

TEST(ScrollingFrame, WindowThatTheScreenHoldsIsShownAsItIs) {
    WindowHarness harness;
    Form1Widget& window = harness.load();
    EXPECT_EQ(ShowWithinScreen(window, QRect(0, 0, 800, 600)), nullptr);
    EXPECT_TRUE(window.isWindow() && window.isVisible());
}

// As a 1280 x 1024 screen at QT_SCALE_FACTOR=2 leaves it, less a window manager's frame.
TEST(ScrollingFrame, SmallScreenGetsAFrameThatScrollsToEveryControl) {
    WindowHarness harness;
    Form1Widget& window = harness.load();
    const QRect screen(0, 0, 640, 512);
    const auto frame = ShowWithinScreen(window, RoomForWindow(screen));
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(screen.contains(frame->frameGeometry())) << "the frame is beyond the screen";
    EXPECT_EQ(window.size(), QSize(536, 580)) << "the layout is kept";
    EXPECT_EQ(frame->windowTitle(), QString("Quorvane"));

    for (const ControlLayout& c : Form1Layout()) {
        QWidget* control = window.control(c.control);
        frame->ensureWidgetVisible(control, 0, 0);
        const QRect shown(control->mapTo(frame->viewport(), QPoint(0, 0)), control->size());
        EXPECT_TRUE(frame->viewport()->rect().contains(shown)) << c.name << " cannot be reached";
    }

    // Closing the frame is closing the window: the form unloads.
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(harness.endProgramCalls, 1);
}

}  // namespace
}  // namespace quorvane::test
