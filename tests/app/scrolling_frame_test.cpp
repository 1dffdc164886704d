// The window on a screen too small for it: shown in a frame that scrolls, which the screen
// holds, with every control reachable and the layout untouched.

#include "app/scrolling_frame.h"

#include <gtest/gtest.h>

#include <QScreen>
#include <QScrollBar>
#include <QTest>

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

    // Placed or framed by a window manager beyond the screen's bottom, it comes back within
    // it, its scroll bar's arrows in sight.
    const QRect available = frame->screen()->availableGeometry();
    frame->move(available.left() + 10, available.bottom() - frame->height() / 2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return available.contains(frame->frameGeometry()); }))
        << "the frame's bottom is beyond the screen";
    const QScrollBar* rows = frame->verticalScrollBar();
    EXPECT_TRUE(rows->isVisible());
    EXPECT_TRUE(available.contains(QRect(rows->mapToGlobal(QPoint(0, 0)), rows->size())));

    // Closing the frame is closing the window: the form unloads.
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(harness.endProgramCalls, 1);
}

}  // namespace
}  // namespace quorvane::test
