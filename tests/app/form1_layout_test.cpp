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

// The rectangle of `row` in pixels, in its container, at the design's dots per inch.
QRect pixels(const ControlLayout& row) {
    return {PixelsFromTwips(row.left), PixelsFromTwips(row.top), PixelsFromTwips(row.width),
            PixelsFromTwips(row.height)};
}

// The caption as the window shows it, without the mark of its Alt letter.
QString captionOf(QWidget* control) {
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        return QString::fromStdString(CaptionWithoutMnemonic(button->text().toStdString()));
    }
    if (auto* frame = qobject_cast<QGroupBox*>(control)) return frame->title();
    return {};
}

TEST(Form1Layout, EveryControlIsMadeFromItsRowWithTheDesignedFont) {
    WindowHarness harness;
    Form1Widget& form = harness.load();

    EXPECT_EQ(form.size(), QSize(536, 580));
    EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "the window must not be resizable";

    // Each control is made from its row of the layout table: its place, its container and
    // its caption.
    for (const ControlLayout& row : Form1Layout()) {
        SCOPED_TRACE(row.name);
        auto* control = form.findChild<QWidget*>(QString::fromLatin1(row.name));
        ASSERT_NE(control, nullptr);
        const char* container =
            row.container == Control::Window ? kWindowName : LayoutOf(row.container).name;
        EXPECT_EQ(control->parentWidget()->objectName(), QString::fromLatin1(container));
        EXPECT_EQ(control->geometry(), pixels(row));
        if (row.caption) {
            EXPECT_EQ(captionOf(control),
                      QString::fromStdString(CaptionWithoutMnemonic(row.caption)));
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

    // The design's order (tests/form), as the view's focus chain has it.
    QStringList expected;
    for (const Control control : TabOrder())
        expected.append(QString::fromLatin1(LayoutOf(control).name));
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
