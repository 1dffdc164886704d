#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>

#include "app/qt_results_model.h"
#include "app/results_view.h"
#include "form/form1_layout.h"
#include "form_harness.h"

namespace quorvane::test {
namespace {

struct Placement {
    const char* name;
    const char* container;
    const char* caption;           // nullptr: a control without one
    int left, top, width, height;  // twips
};

// The designed layout, control by control.
const Placement kLayout[] = {
    {"Frame2", "Form1", "Folder Depth", 120, 2410, 7800, 1500},
    {"Option7", "Frame2", "Only first subfolders of target folder (depth = 1)", 240, 650, 4455,
     255},
    {"Option8", "Frame2", "All subfolders of target folder (depth = infinity)", 240, 300, 4455,
     255},
    {"Text2", "Frame2", nullptr, 1680, 990, 855, 345},
    {"PushButton9", "Frame2", "?", 6840, 300, 600, 345},
    {"Option6", "Frame2", "Only depth =                        subfolders of target folder", 240,
     1020, 5415, 255},
    {"PushButton3", "Form1", "Help", 120, 120, 3840, 405},
    {"Frame1", "Form1", "Where would you like to look to create folder list?", 120, 580, 7800,
     1770},
    {"Text1", "Frame1", nullptr, 2280, 300, 4455, 345},
    {"Option5", "Frame1", "Look at this folder:", 240, 345, 2055, 255},
    {"Drive1", "Frame1", nullptr, 2280, 800, 5160, 345},
    {"Option4", "Frame1", "Look at this drive:", 240, 845, 1935, 255},
    {"Option3", "Frame1", "Look at entire computer (all drives)", 240, 1345, 3375, 255},
    {"PushButton5", "Frame1", "...", 6840, 300, 600, 345},
    {"ListView1", "Form1", nullptr, 120, 4545, 7800, 2535},
    {"PushButton1", "Form1", "Start Creating List", 120, 4035, 7800, 405},
    {"PushButton2", "Form1", "Save Results As Text File", 120, 7170, 3840, 405},
    {"PushButton4", "Form1", "Save Results As Excel File", 120, 7680, 3840, 405},
    {"PushButton6", "Form1", "Clear Results", 4080, 7680, 3840, 405},
    {"PushButton7", "Form1", "Copy Results To Clipboard", 4080, 7170, 3840, 405},
    {"PushButton8", "Form1", "Load Sample/Example Folder", 4080, 120, 3840, 405},
    {"PushButton19", "Form1", "Remove Results Containing X", 120, 8190, 3840, 405},
    {"PushButton20", "Form1", "Remove Results Not Containing X", 4080, 8190, 3840, 405},
};

QRect pixels(const Placement& p) {
    return {p.left / 15, p.top / 15, p.width / 15, p.height / 15};
}

// The caption as the window shows it, without the mark of its Alt letter.
QString captionOf(QWidget* control) {
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        return QString::fromStdString(CaptionWithoutMnemonic(button->text().toStdString()));
    }
    if (auto* frame = qobject_cast<QGroupBox*>(control)) return frame->title();
    return {};
}

TEST(Form1Layout, EveryControlHasItsDesignedPlaceCaptionAndFont) {
    WindowHarness harness;
    Form1Widget& form = harness.load();

    EXPECT_EQ(form.size(), QSize(536, 580));
    EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "the window must not be resizable";

    for (const Placement& p : kLayout) {
        SCOPED_TRACE(p.name);
        auto* control = form.findChild<QWidget*>(QString::fromLatin1(p.name));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->parentWidget()->objectName(), QString::fromLatin1(p.container));
        EXPECT_EQ(control->geometry(), pixels(p));
        if (p.caption) {
            EXPECT_EQ(captionOf(control), QString::fromLatin1(p.caption));
        }

        const bool pushButton = qobject_cast<QPushButton*>(control) != nullptr;
        const QFont font = control->font();
        EXPECT_EQ(font.family(), QStringLiteral("Arial"));
        EXPECT_TRUE(font.bold());
        EXPECT_DOUBLE_EQ(font.pointSizeF(), pushButton ? 11.25 : 9.0);
        EXPECT_TRUE(control->isEnabled());
    }
    // Arial is served by its metric twin, so the captions fit as designed.
    EXPECT_EQ(QFontInfo(form.pushButton(Control::StartButton)->font()).family(),
              QStringLiteral("Liberation Sans"));
}

TEST(Form1Layout, TabOrderFollowsTheDesignAndFocusStartsOnTheList) {
    WindowHarness harness;
    Form1Widget& form = harness.load();
    harness.showActive();

    EXPECT_EQ(QApplication::focusWidget(), form.resultsView());

    const QStringList expected = {
        "ListView1",   "Option3",     "Option4",      "Drive1",       "Option5",     "Text1",
        "PushButton1", "PushButton3", "PushButton2",  "PushButton4",  "PushButton6", "PushButton5",
        "PushButton7", "PushButton8", "PushButton19", "PushButton20", "Text2",       "Option8",
        "Option7",     "Option6",     "PushButton9"};
    QStringList order;
    QWidget* widget = form.resultsView();
    do {
        if (expected.contains(widget->objectName()) && (widget->focusPolicy() & Qt::TabFocus)) {
            order.append(widget->objectName());
        }
        widget = widget->nextInFocusChain();
    } while (widget != form.resultsView());
    EXPECT_EQ(order, expected);
    EXPECT_EQ(form.frame(Control::TargetFrame)->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(form.frame(Control::DepthFrame)->focusPolicy(), Qt::NoFocus);
}

TEST(Form1Layout, DepthBoxStandsInTheGapOfTheLimitDepthCaption) {
    WindowHarness harness;
    Form1Widget& form = harness.load();
    harness.showActive();

    QLineEdit* box = form.textBox(Control::DepthBox);
    QRadioButton* limitDepth = form.option(Control::LimitDepthOption);
    const QPoint boxCentre = box->geometry().center();
    EXPECT_EQ(form.frame(Control::DepthFrame)->childAt(boxCentre), box)
        << "the option button covers the box";

    // Where the caption's words end and start again, in the depth frame's coordinates.
    QStyleOptionButton option;
    option.initFrom(limitDepth);
    option.text = limitDepth->text();
    const QRect contents =
        limitDepth->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, limitDepth);
    const QFontMetrics metrics(limitDepth->font());
    const int textStart = limitDepth->x() + contents.left();
    const int gapStart = textStart + metrics.horizontalAdvance(QStringLiteral("Only depth ="));
    const int gapEnd =
        textStart + metrics.horizontalAdvance(QStringLiteral("Only depth =") + QString(24, u' '));
    EXPECT_GE(box->x(), gapStart) << "the box hides the end of \"Only depth =\"";
    EXPECT_LE(box->geometry().right(), gapEnd) << "the box hides \"subfolders\"";
}

TEST(Form1Layout, ResultsListIsAReportWithOneResultsColumn) {
    WindowHarness harness;
    Form1Widget& form = harness.load();

    EXPECT_EQ(form.resultsView()->model()->columnCount(), 1);
    EXPECT_EQ(form.resultsView()->model()->headerData(0, Qt::Horizontal).toString(),
              QStringLiteral("Results"));
    EXPECT_EQ(form.resultsView()->header()->sectionSize(0), 466);
    EXPECT_EQ(form.resultsView()->toolTip(),
              QStringLiteral("Double-click item to remove it. Move | line to right and out of "
                             "window to reveal full names."));
}

TEST(Form1Layout, DriveListShowsTheDrivesOfTheDriveSource) {
    WindowHarness harness;
    harness.drives.list = {{"/ [System]", "/"}, {"/media/usb [Stick \xc3\xa9]", "/media/usb/"}};
    Form1Widget& form = harness.load();

    ASSERT_EQ(form.driveList()->count(), 2);
    EXPECT_EQ(form.driveList()->itemText(1), QStringLiteral("/media/usb [Stick \u00e9]"));
    form.driveList()->setCurrentIndex(1);
    EXPECT_EQ(form.currentDrive(), 1);
}

}  // namespace
}  // namespace quorvane::test
