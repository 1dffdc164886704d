#include <gtest/gtest.h>

#include <QItemSelectionModel>
#include <QPushButton>
#include <QTreeView>

#include "form_harness.h"
#include "results_commands.h"

namespace quorvane::test {
namespace {

using Texts = std::vector<std::string>;

const char kContaining[] = "Remove entries containing: ";
const char kNotContaining[] = "Remove entries not containing: ";

void Select(Form1& form, int row) {
    form.ListView1->selectionModel()->select(form.Results().index(row - 1, 0),
                                             QItemSelectionModel::ClearAndSelect);
}

QPoint CentreOfEntry(Form1& form, int row) {
    return form.ListView1->visualRect(form.Results().index(row - 1, 0)).center();
}

// A double-click as the window system delivers it: the first click, then the second press
// as a double-click.
void DoubleClick(Form1& form, Qt::MouseButton button, int row) {
    QWidget* viewport = form.ListView1->viewport();
    const QPoint at = CentreOfEntry(form, row);
    QTest::mouseClick(viewport, button, {}, at);
    QTest::mouseDClick(viewport, button, {}, at);
    QTest::mouseRelease(viewport, button, {}, at);
}

// Runs a filter button with `answer` typed into its input box.
void Filter(FormHarness& harness, void (Form1::*button)(), const QString& answer) {
    harness.dialogs.inputAnswers.push_back(answer);
    (*harness.form.*button)();
}

TEST(Form1Edit, FiltersIgnoreLetterCaseAndTreatEveryOtherCharacterPlainly) {
    FormHarness harness;
    Form1& form = harness.load();

    FillResults(form, {"C:\\Windows", "C:\\Program Files"});
    Filter(harness, &Form1::PushButton19_Click, QStringLiteral("WINDOWS"));
    EXPECT_EQ(ResultEntries(form), Texts{"C:\\Program Files"});
    form.Results().clear();
    FillResults(form, {"C:\\Windows", "C:\\Program Files"});
    Filter(harness, &Form1::PushButton20_Click, QStringLiteral("windows"));
    EXPECT_EQ(ResultEntries(form), Texts{"C:\\Windows"});
    // Each asks with its own prompt, trailing blank included, under the application's title.
    EXPECT_EQ(harness.dialogs.inputs,
              (std::vector<InputRequest>{{kContaining, QStringLiteral("Quorvane")},
                                         {kNotContaining, QStringLiteral("Quorvane")}}));

    const Texts paths = {"C:\\A", "C:\\Program Files", "C:\\Program", "D:\\a*b", "C:\\ÄRGER"};
    form.Results().clear();
    FillResults(form, paths);
    Filter(harness, &Form1::PushButton20_Click, QStringLiteral("\\"));
    EXPECT_EQ(ResultEntries(form), paths);
    Filter(harness, &Form1::PushButton19_Click, QStringLiteral("Program "));
    Filter(harness, &Form1::PushButton19_Click, QStringLiteral("*"));
    EXPECT_EQ(ResultEntries(form), Texts({"C:\\A", "C:\\Program", "C:\\ÄRGER"}));
    Filter(harness, &Form1::PushButton19_Click, QStringLiteral("ärger"));
    EXPECT_EQ(ResultEntries(form), Texts({"C:\\A", "C:\\Program"}));
    Filter(harness, &Form1::PushButton19_Click, QStringLiteral("\\"));
    EXPECT_TRUE(ResultEntries(form).empty());

    EXPECT_TRUE(harness.dialogs.messages.empty());
    EXPECT_EQ(form.MousePointer(), Form1::kDefaultPointer);
}

TEST(Form1Edit, FilterRemovesNeighboursAndKeepsTheOrderOfTheRest) {
    FormHarness harness;
    Form1& form = harness.load();
    FillResults(form, {"/one", "/two/x", "/three/x", "/four", "/five/x", "/six"});
    Filter(harness, &Form1::PushButton19_Click, QStringLiteral("/X"));
    EXPECT_EQ(ResultEntries(form), Texts({"/one", "/four", "/six"}));
    // The view shows what the list holds.
    EXPECT_EQ(form.ListView1->model()->rowCount(), 3);
    EXPECT_EQ(form.Results().index(1, 0).data().toString(), QStringLiteral("/four"));
}

TEST(Form1Edit, CancelledOrEmptyFilterChangesNothing) {
    FormHarness harness;
    Form1& form = harness.load();
    const Texts paths = {"C:\\A", "C:\\B"};
    FillResults(form, paths);
    form.setMousePointer(Form1::kCustomPointer);
    harness.dialogs.inputAnswers = {QString(), QString(), QString(), QString()};
    form.PushButton19_Click();
    form.PushButton20_Click();
    harness.dialogs.inputAnswers.clear();  // Cancel
    form.PushButton19_Click();
    form.PushButton20_Click();
    EXPECT_EQ(harness.dialogs.inputs.size(), 4u);
    EXPECT_EQ(ResultEntries(form), paths);
    EXPECT_EQ(form.MousePointer(), Form1::kCustomPointer);
    EXPECT_TRUE(harness.dialogs.messages.empty());
}

TEST(Form1Edit, FilterHoldsTheHourglassWhileScanningAndAlwaysEndsAtDefault) {
    FormHarness harness;
    Form1& form = harness.load();
    FillResults(form, {"/a", "/b"});
    int duringScan = -1;
    AtNextPass(form, [&] { duringScan = form.MousePointer(); });
    // Started while another command shows the hourglass.
    form.setMousePointer(Form1::kHourglassPointer);
    Filter(harness, &Form1::PushButton19_Click, QStringLiteral("/a"));
    EXPECT_EQ(duringScan, Form1::kHourglassPointer);
    EXPECT_EQ(form.MousePointer(), Form1::kDefaultPointer);
    EXPECT_EQ(ResultEntries(form), Texts{"/b"});
}

TEST(Form1Edit, ScanThatLosesEntriesRemovesNothingAndIsReportedAtLine106) {
    FormHarness harness;
    Form1& form = harness.load();
    FillResults(form, {"/keep", "/x/1", "/x/2", "/y"});
    // While the first filter lets the window run, the user runs the other one.
    AtNextPass(form, [&] { Filter(harness, &Form1::PushButton19_Click, QStringLiteral("/x")); });
    Filter(harness, &Form1::PushButton20_Click, QStringLiteral("keep"));

    // Only what the second filter removed is gone.
    EXPECT_EQ(ResultEntries(form), Texts({"/keep", "/y"}));
    EXPECT_EQ(harness.dialogs.messages,
              std::vector<ShownMessage>{
                  ErrorReport("Index out of bounds", procedure::kRemoveNotContaining, 106)});
    EXPECT_EQ(form.MousePointer(), Form1::kDefaultPointer);
}

TEST(Form1Edit, DeleteKeyRemovesTheSelectedEntryWhateverTheModifiers) {
    FormHarness harness;
    Form1& form = harness.load();
    harness.showActive();

    QTest::keyClick(form.ListView1, Qt::Key_Delete);  // on an empty list
    FillResults(form, {"/1", "/2", "/3", "/4", "/5"});
    QTest::keyClick(form.ListView1, Qt::Key_Delete);  // none selected
    EXPECT_EQ(form.Results().count(), 5);

    Select(form, 2);
    for (const Qt::Key key : {Qt::Key_Backspace, Qt::Key_D, Qt::Key_Period, Qt::Key_Insert}) {
        QTest::keyClick(form.ListView1, key);
    }
    EXPECT_EQ(form.Results().count(), 5);

    QTest::keyClick(form.ListView1, Qt::Key_Delete);
    EXPECT_EQ(ResultEntries(form), Texts({"/1", "/3", "/4", "/5"}));
    Select(form, 3);
    QTest::keyClick(form.ListView1, Qt::Key_Delete, Qt::ShiftModifier | Qt::ControlModifier);
    Select(form, 1);
    QTest::keyClick(form.ListView1, Qt::Key_Delete, Qt::AltModifier);
    EXPECT_EQ(ResultEntries(form), Texts({"/3", "/5"}));
    EXPECT_TRUE(harness.dialogs.messages.empty());
}

TEST(Form1Edit, DoubleClickRemovesTheEntryUnderThePointer) {
    FormHarness harness;
    Form1& form = harness.load();
    harness.showActive();
    FillResults(form, {"/1", "/2", "/3"});

    DoubleClick(form, Qt::LeftButton, 2);
    EXPECT_EQ(ResultEntries(form), Texts({"/1", "/3"}));
    DoubleClick(form, Qt::RightButton, 1);
    EXPECT_EQ(ResultEntries(form), Texts({"/1", "/3"}));
    EXPECT_TRUE(harness.dialogs.messages.empty());
}

TEST(Form1Edit, HourglassBlocksDeleteDoubleClickAndClear) {
    FormHarness harness;
    Form1& form = harness.load();
    harness.showActive();
    const Texts paths = {"/1", "/2", "/3"};
    FillResults(form, paths);
    Select(form, 2);

    form.setMousePointer(Form1::kHourglassPointer);
    QTest::keyClick(form.ListView1, Qt::Key_Delete);
    DoubleClick(form, Qt::LeftButton, 1);
    form.PushButton6->click();
    EXPECT_EQ(ResultEntries(form), paths);
    EXPECT_EQ(form.MousePointer(), Form1::kHourglassPointer);

    form.setMousePointer(Form1::kDefaultPointer);
    form.PushButton6->click();
    EXPECT_EQ(form.Results().count(), 0);
    EXPECT_EQ(form.ListView1->model()->rowCount(), 0);
    form.PushButton6->click();  // on an empty list
    EXPECT_TRUE(harness.dialogs.messages.empty());
    EXPECT_EQ(form.MousePointer(), Form1::kDefaultPointer);
}

}  // namespace
}  // namespace quorvane::test
