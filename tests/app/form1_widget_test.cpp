// The Qt window passes the user's actions on to the form and shows what the form sets: real
// widgets and real events on the offscreen platform. What the form does with them is tested
// in tests/form.

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/qt_results_model.h"
#include "app/results_view.h"
#include "form_harness.h"

namespace quorvane::test {
namespace {

using Texts = std::vector<std::string>;
using Writes = std::vector<FakeSettings::Write>;

void Select(Form1Widget& window, int row) {
    window.resultsView()->selectionModel()->select(window.resultsModel().index(row - 1, 0),
                                                   QItemSelectionModel::ClearAndSelect);
}

// A double-click as the window system delivers it: the first click, then the second press
// as a double-click.
void DoubleClick(Form1Widget& window, Qt::MouseButton button, int row) {
    QWidget* viewport = window.resultsView()->viewport();
    const QPoint at =
        window.resultsView()->visualRect(window.resultsModel().index(row - 1, 0)).center();
    QTest::mouseClick(viewport, button, {}, at);
    QTest::mouseDClick(viewport, button, {}, at);
    QTest::mouseRelease(viewport, button, {}, at);
}

TEST(Form1Widget, StartUpShowsTheRestoredChoicesTheCaptionAndEveryIconSize) {
    WindowHarness harness;
    harness.settings.put("Option3", "True");
    harness.settings.put("Folder", "/srv/data");
    Form1Widget& window = harness.load();

    EXPECT_TRUE(window.option(Control::EntireComputerOption)->isChecked());
    EXPECT_FALSE(window.option(Control::FolderOption)->isChecked());
    EXPECT_TRUE(window.option(Control::AllSubfoldersOption)->isChecked());
    EXPECT_EQ(window.textBox(Control::FolderBox)->text(), QStringLiteral("/srv/data"));
    EXPECT_EQ(window.textBox(Control::DepthBox)->text(), QStringLiteral("3"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quorvane"));
    // Missing sizes mean the built-in pictures did not reach the program.
    EXPECT_EQ(window.windowIcon().availableSizes(),
              (QList<QSize>{{32, 32}, {48, 48}, {128, 128}, {256, 256}}));
}

TEST(Form1Widget, SkinFileGivesWindowFramesAndOptionsTheButtonFace) {
    const QColor buttonFace = QGuiApplication::palette().color(QPalette::Button);
    const auto backColour = [](QWidget* control) {
        return control->palette().color(control->backgroundRole());
    };
    {
        WindowHarness harness;
        Form1Widget& window = harness.load();
        for (QWidget* control : std::initializer_list<QWidget*>{
                 &window, window.frame(Control::TargetFrame), window.frame(Control::DepthFrame),
                 window.option(Control::EntireComputerOption),
                 window.option(Control::LimitDepthOption)}) {
            EXPECT_EQ(backColour(control), QColor(Qt::white))
                << control->objectName().toStdString();
        }
    }
    {
        WindowHarness harness;
        MakeFolder(harness.programFile("x"));
        MakeFile(harness.programFile("x") + TempFolder::kSeparator + "o.cjs");
        Form1Widget& window = harness.load();
        QList<QWidget*> controls = {&window};
        for (const ControlLayout& c : Form1Layout()) {
            if (c.kind == ControlKind::Frame || c.kind == ControlKind::Option) {
                controls.append(window.control(c.control));
            }
        }
        ASSERT_EQ(controls.size(), 9);
        for (QWidget* control : controls)
            EXPECT_EQ(backColour(control), buttonFace) << control->objectName().toStdString();
        QLineEdit* folderBox = window.textBox(Control::FolderBox);
        EXPECT_EQ(backColour(folderBox), folderBox->palette().color(QPalette::Base))
            << "text boxes keep the system window colours";
    }
}

TEST(Form1Widget, ClicksAndTypingReachTheHandlers) {
    WindowHarness harness;
    Form1Widget& window = harness.load();
    harness.showActive();

    harness.settings.writes.clear();
    QRadioButton* driveOption = window.option(Control::DriveOption);
    QTest::mouseClick(driveOption, Qt::LeftButton, {}, QPoint(8, driveOption->height() / 2));
    EXPECT_TRUE(driveOption->isChecked());
    EXPECT_EQ(harness.settings.writes,
              (Writes{{"Option5", "False"}, {"Option4", "True"}, {"Option3", "False"}}));

    QLineEdit* folderBox = window.textBox(Control::FolderBox);
    folderBox->clear();
    harness.settings.writes.clear();
    folderBox->setFocus();
    QTest::keyClicks(folderBox, QStringLiteral("12"));
    EXPECT_EQ(harness.settings.writes, (Writes{{"Folder", "1"}, {"Folder", "12"}}));

    window.pushButton(Control::HelpButton)->click();
    ASSERT_EQ(harness.dialogs.messages.size(), 1u);
    EXPECT_TRUE(harness.dialogs.messages[0].text.starts_with("This software will create"));
}

// Types `entry` into the depth box and moves the focus on to the folder box, as Tab does;
// returns what the check said.
std::vector<ShownMessage> leaveDepthBox(WindowHarness& harness, const QString& entry) {
    Form1Widget& window = *harness.window;
    harness.dialogs.messages.clear();
    QLineEdit* depthBox = window.textBox(Control::DepthBox);
    depthBox->setFocus(Qt::TabFocusReason);
    depthBox->setText(entry);
    window.textBox(Control::FolderBox)->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    return harness.dialogs.messages;
}

TEST(Form1Widget, DepthCheckRunsWhenTheFocusLeavesTheBoxAndGivesItBack) {
    WindowHarness harness;
    Form1Widget& window = harness.load();
    harness.showActive();
    QLineEdit* depthBox = window.textBox(Control::DepthBox);

    EXPECT_EQ(leaveDepthBox(harness, QStringLiteral("abc")),
              (std::vector<ShownMessage>{{"Must be a numeric entry.", "Quorvane"}}));
    EXPECT_EQ(QApplication::focusWidget(), depthBox);
    EXPECT_EQ(depthBox->selectedText(), QStringLiteral("abc"));
    // Coming back to the box raises no second message.
    QCoreApplication::processEvents();
    EXPECT_EQ(harness.dialogs.messages.size(), 1u);

    EXPECT_TRUE(leaveDepthBox(harness, QStringLiteral("2")).empty());
    EXPECT_EQ(QApplication::focusWidget(), window.textBox(Control::FolderBox));
}

TEST(Form1Widget, ClickIntoTheDepthBoxSelectsItsEntryToBeTypedOver) {
    WindowHarness harness;
    Form1Widget& window = harness.load();
    harness.showActive();
    QLineEdit* depthBox = window.textBox(Control::DepthBox);
    window.option(Control::LimitDepthOption)->click();
    window.textBox(Control::FolderBox)->setFocus(Qt::TabFocusReason);

    QTest::mouseClick(depthBox, Qt::LeftButton, {}, depthBox->rect().center());
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), depthBox);
    EXPECT_EQ(depthBox->selectedText(), QStringLiteral("3"));
    QTest::keyClicks(depthBox, QStringLiteral("0"));
    EXPECT_EQ(depthBox->text(), QStringLiteral("0"));
}

TEST(Form1Widget, RefusedDepthTakesTheClickThatLeftTheBox) {
    WindowHarness harness;
    Form1Widget& window = harness.load();
    harness.showActive();
    QLineEdit* depthBox = window.textBox(Control::DepthBox);
    QPushButton* startButton = window.pushButton(Control::StartButton);
    window.option(Control::LimitDepthOption)->click();
    depthBox->setFocus(Qt::TabFocusReason);
    depthBox->setText(QStringLiteral("abc"));
    harness.dialogs.messages.clear();

    // The press moves the focus out of the box; the check comes before the press reaches
    // the button, and the button never sees it: no run, only the refusal.
    QTest::mouseClick(startButton, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(harness.dialogs.messages,
              (std::vector<ShownMessage>{{"Must be a numeric entry.", "Quorvane"}}));
    EXPECT_EQ(QApplication::focusWidget(), depthBox);
    EXPECT_FALSE(startButton->isDown());

    // Once the entry stands, the same click starts the run.
    depthBox->setText(QStringLiteral("1"));
    harness.dialogs.messages.clear();
    QTest::mouseClick(startButton, Qt::LeftButton);
    QCoreApplication::processEvents();
    ASSERT_FALSE(harness.dialogs.messages.empty());
    EXPECT_NE(harness.dialogs.messages.front().text, "Must be a numeric entry.");
}

TEST(Form1Widget, DepthCheckWaitsForTheFocusToMoveWithinTheWindow) {
    WindowHarness harness;
    Form1Widget& window = harness.load();
    harness.showActive();
    QLineEdit* depthBox = window.textBox(Control::DepthBox);
    depthBox->setFocus(Qt::TabFocusReason);
    depthBox->setText(QStringLiteral("abc"));

    // Another window, such as a command's message box, takes the focus and gives it back:
    // the entry never left the box for another control.
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    QCoreApplication::processEvents();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QCoreApplication::processEvents();
    EXPECT_TRUE(harness.dialogs.messages.empty());
    EXPECT_EQ(QApplication::focusWidget(), depthBox);
}

TEST(Form1Widget, DeleteKeyAndLeftDoubleClickRemoveTheSelectedEntry) {
    WindowHarness harness;
    Form1Widget& window = harness.load();
    Form1& form = window.form();
    harness.showActive();
    ResultsView* list = window.resultsView();

    FillResults(form, {"/1", "/2", "/3", "/4", "/5"});
    QTest::keyClick(list, Qt::Key_Delete);  // none selected
    Select(window, 2);
    for (const Qt::Key key : {Qt::Key_Backspace, Qt::Key_D, Qt::Key_Period, Qt::Key_Insert}) {
        QTest::keyClick(list, key);
    }
    EXPECT_EQ(form.results().count(), 5);

    QTest::keyClick(list, Qt::Key_Delete, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(ResultEntries(form), Texts({"/1", "/3", "/4", "/5"}));
    EXPECT_EQ(list->model()->rowCount(), 4);

    DoubleClick(window, Qt::LeftButton, 2);
    EXPECT_EQ(ResultEntries(form), Texts({"/1", "/4", "/5"}));
    DoubleClick(window, Qt::RightButton, 1);
    EXPECT_EQ(ResultEntries(form), Texts({"/1", "/4", "/5"}));

    form.setMousePointer(Form1::kHourglassPointer);
    Select(window, 1);
    QTest::keyClick(list, Qt::Key_Delete);
    DoubleClick(window, Qt::LeftButton, 1);
    window.pushButton(Control::ClearButton)->click();
    EXPECT_EQ(ResultEntries(form), Texts({"/1", "/4", "/5"}));

    form.setMousePointer(Form1::kDefaultPointer);
    window.pushButton(Control::ClearButton)->click();
    EXPECT_EQ(list->model()->rowCount(), 0);
    EXPECT_TRUE(harness.dialogs.messages.empty());
}

TEST(Form1Widget, RunFillsTheListViewWithEachEntryShownAsUtf8) {
    WindowHarness harness;
    TempFolder tree;
    MakeFolder(tree / "A");
    harness.settings.put("Folder", tree.path());
    Form1Widget& window = harness.load();
    window.pushButton(Control::StartButton)->click();

    ASSERT_EQ(window.resultsView()->model()->rowCount(), 1);
    EXPECT_EQ(window.resultsModel().index(0, 0).data().toString().toStdString(), tree / "A");
    EXPECT_EQ(window.resultsModel().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Results"));
    EXPECT_EQ(harness.dialogs.messages, (std::vector<ShownMessage>{{"Done.", "Quorvane"}}));
}

}  // namespace
}  // namespace quorvane::test
