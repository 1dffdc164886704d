#include <gtest/gtest.h>

#include "form_harness.h"

namespace quorvane::test {
namespace {

TEST(Form1Pointer, FeedbackFollowsThePointerAndNeverOverwritesTheHourglass) {
    FormHarness harness;
    Form1& form = harness.load();
    std::vector<Control> pushButtons, surfaces = {Control::Window}, quiet;
    for (const ControlLayout& c : Form1Layout()) {
        if (c.kind == ControlKind::PushButton) {
            pushButtons.push_back(c.control);
        } else if (c.kind == ControlKind::Option || c.kind == ControlKind::DriveList) {
            quiet.push_back(c.control);
        } else {
            surfaces.push_back(c.control);
        }
    }
    ASSERT_EQ(pushButtons.size(), 11u);
    ASSERT_EQ(quiet.size(), 7u);
    ASSERT_EQ(surfaces.size(), 6u);  // the window, two frames, two text boxes, the list

    for (const Control button : pushButtons) {
        SCOPED_TRACE(LayoutOf(button).name);
        form.setMousePointer(Form1::kDefaultPointer);
        form.pointerMoved(button);
        EXPECT_EQ(form.mousePointer(), Form1::kCustomPointer);
        EXPECT_EQ(harness.view.pointerShown, Form1::kCustomPointer);
        // From a push button straight onto an option or the drive list: still the custom mode.
        for (const Control control : quiet) {
            form.pointerMoved(control);
            EXPECT_EQ(form.mousePointer(), Form1::kCustomPointer);
        }
    }
    for (const Control surface : surfaces) {
        form.setMousePointer(Form1::kCustomPointer);
        form.pointerMoved(surface);
        EXPECT_EQ(form.mousePointer(), Form1::kDefaultPointer);
    }

    // A busy command's hourglass stays wherever the pointer goes.
    form.setMousePointer(Form1::kHourglassPointer);
    for (const ControlLayout& c : Form1Layout())
        form.pointerMoved(c.control);
    form.pointerMoved(Control::Window);
    EXPECT_EQ(form.mousePointer(), Form1::kHourglassPointer);
    EXPECT_EQ(harness.view.pointerShown, Form1::kHourglassPointer);

    // When the command ends, the next movement brings the feedback back.
    form.setMousePointer(Form1::kDefaultPointer);
    form.pointerMoved(Control::StartButton);
    EXPECT_EQ(form.mousePointer(), Form1::kCustomPointer);
    form.pointerMoved(Control::ResultsView);
    EXPECT_EQ(form.mousePointer(), Form1::kDefaultPointer);
}

}  // namespace
}  // namespace quorvane::test
