#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include "app/results_view.h"
#include "form/error_report.h"
#include "form_harness.h"

namespace quorvane::test {
namespace {

// Moves the pointer to `at` in the window, delivered as the window system does: to the
// control under the pointer.
void movePointer(Form1Widget& form, QPoint at) {
    QWidget* target = form.childAt(at);
    if (!target) target = &form;
    const QPoint local = target->mapFrom(&form, at);
    QMouseEvent move(QEvent::MouseMove, local, target->mapToGlobal(local), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
}

void moveOver(Form1Widget& form, QWidget* control) {
    movePointer(form, control->mapTo(&form, control->rect().center()));
}

// A 16 x 16 cursor file with its hot spot at (3, 1).
QByteArray cursorFileBytes() {
    QByteArray bytes;
    const auto put16 = [&](int v) { bytes.append(char(v & 0xff)).append(char(v >> 8 & 0xff)); };
    const auto put32 = [&](int v) {
        put16(v & 0xffff);
        put16(v >> 16 & 0xffff);
    };
    put16(0), put16(2), put16(1);  // reserved, cursor file, one image
    bytes.append(char(16)).append(char(16)).append(char(0)).append(char(0));
    put16(3), put16(1);                                    // hot spot
    put32(40 + 16 * 16 * 4 + 16 * 4), put32(22);           // image size and place
    put32(40), put32(16), put32(32), put16(1), put16(32);  // bitmap header: colour + mask
    for (int i = 0; i < 6; ++i)
        put32(0);
    for (int i = 0; i < 16 * 16; ++i)
        put32(static_cast<int>(0xff000000u));  // opaque black
    for (int i = 0; i < 16; ++i)
        put32(0);  // mask: every pixel shown
    return bytes;
}

TEST(Form1Pointer, FeedbackFollowsThePointerAndNeverOverwritesTheHourglass) {
    WindowHarness harness;
    Form1Widget& form = harness.load();
    harness.showActive();

    QList<QWidget*> pushButtons, quiet = {form.driveList()};
    for (const ControlLayout& c : Form1Layout()) {
        if (c.kind == ControlKind::PushButton) pushButtons.append(form.control(c.control));
        if (c.kind == ControlKind::Option) quiet.append(form.control(c.control));
    }
    ASSERT_EQ(pushButtons.size(), 11);
    ASSERT_EQ(quiet.size(), 7);
    const QList<QWidget*> surfaces = {form.resultsView()->viewport(), form.resultsView()->header(),
                                      form.textBox(Control::FolderBox),
                                      form.textBox(Control::DepthBox)};
    // Bare spots of the window and of each frame.
    QGroupBox* targetFrame = form.frame(Control::TargetFrame);
    QGroupBox* depthFrame = form.frame(Control::DepthFrame);
    const QList<QPoint> bareSpots = {QPoint(3, 3), targetFrame->mapTo(&form, QPoint(510, 100)),
                                     depthFrame->mapTo(&form, QPoint(510, 90))};
    for (const QPoint& spot : bareSpots) {
        ASSERT_TRUE(form.childAt(spot) == nullptr || form.childAt(spot) == targetFrame ||
                    form.childAt(spot) == depthFrame);
    }

    for (QWidget* button : pushButtons) {
        SCOPED_TRACE(button->objectName().toStdString());
        form.form().setMousePointer(Form1::kDefaultPointer);
        moveOver(form, button);
        EXPECT_EQ(form.form().mousePointer(), Form1::kCustomPointer);
        // From a push button straight onto an option or the drive list: still the custom mode.
        for (QWidget* control : quiet) {
            moveOver(form, control);
            EXPECT_EQ(form.form().mousePointer(), Form1::kCustomPointer)
                << control->objectName().toStdString();
        }
    }
    for (QWidget* surface : surfaces) {
        SCOPED_TRACE(surface->objectName().toStdString());
        form.form().setMousePointer(Form1::kCustomPointer);
        moveOver(form, surface);
        EXPECT_EQ(form.form().mousePointer(), Form1::kDefaultPointer);
    }
    for (const QPoint& spot : bareSpots) {
        form.form().setMousePointer(Form1::kCustomPointer);
        movePointer(form, spot);
        EXPECT_EQ(form.form().mousePointer(), Form1::kDefaultPointer);
    }

    // A busy command's hourglass stays wherever the pointer goes.
    form.form().setMousePointer(Form1::kHourglassPointer);
    for (QWidget* control : pushButtons + surfaces + quiet)
        moveOver(form, control);
    for (const QPoint& spot : bareSpots)
        movePointer(form, spot);
    EXPECT_EQ(form.form().mousePointer(), Form1::kHourglassPointer);
    EXPECT_EQ(form.cursor().shape(), Qt::WaitCursor);

    // When the command ends, the next movement brings the feedback back.
    form.form().setMousePointer(Form1::kDefaultPointer);
    moveOver(form, form.pushButton(Control::StartButton));
    EXPECT_EQ(form.form().mousePointer(), Form1::kCustomPointer);
    moveOver(form, form.resultsView()->viewport());
    EXPECT_EQ(form.form().mousePointer(), Form1::kDefaultPointer);
}

TEST(Form1Pointer, CustomPointerIsTheHandCursorFileWhenThereIsOne) {
    {
        WindowHarness harness;
        Form1Widget& form = harness.load();
        form.form().setMousePointer(Form1::kCustomPointer);
        EXPECT_EQ(form.cursor().shape(), Qt::ArrowCursor);
    }
    {
        WindowHarness harness;
        QFile file(QString::fromStdString(harness.programFile("HAND-M.CUR")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(cursorFileBytes());
        file.close();
        Form1Widget& form = harness.load();
        EXPECT_TRUE(harness.dialogs.messages.empty());
        form.form().setMousePointer(Form1::kCustomPointer);
        EXPECT_EQ(form.cursor().shape(), Qt::BitmapCursor);
        EXPECT_EQ(form.cursor().hotSpot(), QPoint(3, 1));
        form.form().setMousePointer(Form1::kDefaultPointer);
        EXPECT_EQ(form.cursor().shape(), Qt::ArrowCursor);
    }
    {
        // A file that is no picture is reported at the line that loads it.
        WindowHarness harness;
        QFile file(QString::fromStdString(harness.programFile("HAND-M.CUR")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a cursor");
        file.close();
        Form1Widget& form = harness.load();
        ASSERT_EQ(harness.dialogs.messages.size(), 1u);
        EXPECT_EQ(harness.dialogs.messages[0].text,
                  ErrorReportText("Invalid picture", procedure::kFormLoad, 108));
        form.form().setMousePointer(Form1::kCustomPointer);
        EXPECT_EQ(form.cursor().shape(), Qt::ArrowCursor);
    }
}

}  // namespace
}  // namespace quorvane::test
