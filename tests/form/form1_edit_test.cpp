#include <gtest/gtest.h>

#include "form_harness.h"

namespace quorvane::test {
namespace {

using Texts = std::vector<std::string>;

const char kContaining[] = "Remove entries containing: ";
const char kNotContaining[] = "Remove entries not containing: ";

// Runs a filter button with `answer` typed into its input box.
void Filter(FormHarness& harness, Control button, const std::string& answer) {
    harness.dialogs.inputAnswers.push_back(answer);
    harness.form->click(button);
}

TEST(Form1Edit, FiltersIgnoreLetterCaseAndTreatEveryOtherCharacterPlainly) {
    FormHarness harness;
    Form1& form = harness.load();

    FillResults(form, {"C:\\Windows", "C:\\Program Files"});
    Filter(harness, Control::RemoveContainingButton, "WINDOWS");
    EXPECT_EQ(ResultEntries(form), Texts{"C:\\Program Files"});
    form.results().clear();
    FillResults(form, {"C:\\Windows", "C:\\Program Files"});
    Filter(harness, Control::RemoveNotContainingButton, "windows");
    EXPECT_EQ(ResultEntries(form), Texts{"C:\\Windows"});
    // Each asks with its own prompt, trailing blank included, under the application's title.
    EXPECT_EQ(harness.dialogs.inputs, (std::vector<DialogRequest>{{kContaining, "Quorvane"},
                                                                  {kNotContaining, "Quorvane"}}));

    const Texts paths = {"C:\\A", "C:\\Program Files", "C:\\Program", "D:\\a*b", "C:\\ÄRGER"};
    form.results().clear();
    FillResults(form, paths);
    Filter(harness, Control::RemoveNotContainingButton, "\\");
    EXPECT_EQ(ResultEntries(form), paths);
    Filter(harness, Control::RemoveContainingButton, "Program ");
    Filter(harness, Control::RemoveContainingButton, "*");
    EXPECT_EQ(ResultEntries(form), Texts({"C:\\A", "C:\\Program", "C:\\ÄRGER"}));
    Filter(harness, Control::RemoveContainingButton, "ärger");
    EXPECT_EQ(ResultEntries(form), Texts({"C:\\A", "C:\\Program"}));
    Filter(harness, Control::RemoveContainingButton, "\\");
    EXPECT_TRUE(ResultEntries(form).empty());

    EXPECT_TRUE(harness.dialogs.messages.empty());
    EXPECT_EQ(form.mousePointer(), Form1::kDefaultPointer);
}

TEST(Form1Edit, FilterRemovesNeighboursAndKeepsTheOrderOfTheRest) {
    FormHarness harness;
    Form1& form = harness.load();
    FillResults(form, {"/one", "/two/x", "/three/x", "/four", "/five/x", "/six"});
    Filter(harness, Control::RemoveContainingButton, "/X");
    EXPECT_EQ(ResultEntries(form), Texts({"/one", "/four", "/six"}));
    EXPECT_EQ(form.results().shownCount(), 3u);
}

TEST(Form1Edit, CancelledOrEmptyFilterChangesNothing) {
    FormHarness harness;
    Form1& form = harness.load();
    const Texts paths = {"C:\\A", "C:\\B"};
    FillResults(form, paths);
    form.setMousePointer(Form1::kCustomPointer);
    harness.dialogs.inputAnswers = {"", ""};
    form.removeContaining();
    form.removeNotContaining();
    form.removeContaining();  // Cancel
    form.removeNotContaining();
    EXPECT_EQ(harness.dialogs.inputs.size(), 4u);
    EXPECT_EQ(ResultEntries(form), paths);
    EXPECT_EQ(form.mousePointer(), Form1::kCustomPointer);
    EXPECT_TRUE(harness.dialogs.messages.empty());
}

TEST(Form1Edit, FilterHoldsTheHourglassWhileScanningAndAlwaysEndsAtDefault) {
    FormHarness harness;
    Form1& form = harness.load();
    FillResults(form, {"/a", "/b"});
    int duringScan = -1;
    harness.view.atNextPass([&] { duringScan = form.mousePointer(); });
    // Started while another command shows the hourglass.
    form.setMousePointer(Form1::kHourglassPointer);
    Filter(harness, Control::RemoveContainingButton, "/a");
    EXPECT_EQ(duringScan, Form1::kHourglassPointer);
    EXPECT_EQ(form.mousePointer(), Form1::kDefaultPointer);
    EXPECT_EQ(harness.view.pointerShown, Form1::kDefaultPointer);
    EXPECT_EQ(ResultEntries(form), Texts{"/b"});
}

TEST(Form1Edit, ScanThatLosesEntriesRemovesNothingAndIsReportedAtLine106) {
    FormHarness harness;
    Form1& form = harness.load();
    FillResults(form, {"/keep", "/x/1", "/x/2", "/y"});
    // While the first filter lets the window run, the user runs the other one.
    harness.view.atNextPass([&] { Filter(harness, Control::RemoveContainingButton, "/x"); });
    Filter(harness, Control::RemoveNotContainingButton, "keep");

    // Only what the second filter removed is gone.
    EXPECT_EQ(ResultEntries(form), Texts({"/keep", "/y"}));
    EXPECT_EQ(harness.dialogs.messages,
              std::vector<ShownMessage>{
                  ErrorReport("Index out of bounds", procedure::kRemoveNotContaining, 106)});
    EXPECT_EQ(form.mousePointer(), Form1::kDefaultPointer);
}

TEST(Form1Edit, DeleteKeyAndDoubleClickRemoveTheSelectedEntry) {
    FormHarness harness;
    Form1& form = harness.load();
    FakeView& view = harness.view;

    form.keyDownInResults(Form1::kDeleteKeyCode, 0);  // on an empty list
    FillResults(form, {"/1", "/2", "/3", "/4", "/5"});
    form.keyDownInResults(Form1::kDeleteKeyCode, 0);  // none selected
    form.removeSelectedResult();
    EXPECT_EQ(form.results().count(), 5);

    view.selected = 2;
    for (const int otherKey : {8, 68, 190, 45})
        form.keyDownInResults(otherKey, 0);
    EXPECT_EQ(form.results().count(), 5);

    form.keyDownInResults(Form1::kDeleteKeyCode, 0);
    EXPECT_EQ(ResultEntries(form), Texts({"/1", "/3", "/4", "/5"}));
    view.selected = 3;
    form.keyDownInResults(Form1::kDeleteKeyCode, 1 | 2 | 4);
    view.selected = 1;
    form.removeSelectedResult();
    EXPECT_EQ(ResultEntries(form), Texts({"/3", "/5"}));
    EXPECT_TRUE(harness.dialogs.messages.empty());
}

TEST(Form1Edit, HourglassBlocksDeleteDoubleClickAndClear) {
    FormHarness harness;
    Form1& form = harness.load();
    const Texts paths = {"/1", "/2", "/3"};
    FillResults(form, paths);
    harness.view.selected = 2;

    form.setMousePointer(Form1::kHourglassPointer);
    form.keyDownInResults(Form1::kDeleteKeyCode, 0);
    form.removeSelectedResult();
    form.clearResults();
    EXPECT_EQ(ResultEntries(form), paths);
    EXPECT_EQ(form.mousePointer(), Form1::kHourglassPointer);

    form.setMousePointer(Form1::kDefaultPointer);
    form.clearResults();
    EXPECT_EQ(form.results().count(), 0);
    form.clearResults();  // on an empty list
    EXPECT_TRUE(harness.dialogs.messages.empty());
    EXPECT_EQ(form.mousePointer(), Form1::kDefaultPointer);
}

}  // namespace
}  // namespace quorvane::test
