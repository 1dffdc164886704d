#include <gtest/gtest.h>

#include "form_harness.h"

namespace quorvane::test {
namespace {

using Writes = std::vector<FakeSettings::Write>;

TEST(Form1TargetDepth, ClickingAnOptionStoresItsWholeGroupInTheFixedOrder) {
    FormHarness harness;
    Form1& form = harness.load();
    FakeView& view = harness.view;
    const struct {
        Control option;
        Writes writes;
    } clicks[] = {
        {Control::FolderOption, {{"Option5", "True"}, {"Option4", "False"}, {"Option3", "False"}}},
        {Control::DriveOption, {{"Option5", "False"}, {"Option4", "True"}, {"Option3", "False"}}},
        {Control::EntireComputerOption,
         {{"Option5", "False"}, {"Option4", "False"}, {"Option3", "True"}}},
        {Control::LimitDepthOption,
         {{"Option6", "True"}, {"Option7", "False"}, {"Option8", "False"}}},
        {Control::FirstSubfoldersOption,
         {{"Option6", "False"}, {"Option7", "True"}, {"Option8", "False"}}},
        {Control::AllSubfoldersOption,
         {{"Option6", "False"}, {"Option7", "False"}, {"Option8", "True"}}},
    };
    for (const auto& [option, writes] : clicks) {
        SCOPED_TRACE(LayoutOf(option).name);
        harness.settings.writes.clear();
        view.setChecked(option, true);  // as the platform does before it tells of the click
        form.click(option);
        EXPECT_EQ(harness.settings.writes, writes);
    }
    // The other frame's choice is untouched.
    EXPECT_TRUE(view.isChecked(Control::EntireComputerOption));
}

TEST(Form1TargetDepth, FolderFromTheCommandLineIsChosenAndStoredAsTheUsersChoice) {
    FormHarness harness;
    Form1& form = harness.load();
    form.setOption(Control::DriveOption, true);

    harness.settings.writes.clear();
    form.lookAtFolder(harness.folder.path());
    EXPECT_TRUE(harness.view.isChecked(Control::FolderOption));
    EXPECT_EQ(harness.view.text(Control::FolderBox), harness.folder.path());
    EXPECT_EQ(harness.settings.writes, (Writes{{"Option5", "True"},
                                               {"Option4", "False"},
                                               {"Option3", "False"},
                                               {"Folder", harness.folder.path()}}));
}

TEST(Form1TargetDepth, TextsAreStoredAtEveryChangeAsTyped) {
    FormHarness harness;
    harness.load();
    FakeView& view = harness.view;

    view.setText(Control::FolderBox, "");
    harness.settings.writes.clear();
    view.setText(Control::FolderBox, "1");
    view.setText(Control::FolderBox, "12");
    view.setText(Control::FolderBox, "12");  // no change, no write
    EXPECT_EQ(harness.settings.writes, (Writes{{"Folder", "1"}, {"Folder", "12"}}));

    harness.settings.writes.clear();
    view.setText(Control::DepthBox, " abc ");
    view.setText(Control::DepthBox, "");
    EXPECT_EQ(harness.settings.writes, (Writes{{"Text2", " abc "}, {"Text2", ""}}));
}

// Leaves the depth box with `entry` in it; returns what the check said.
std::vector<ShownMessage> leaveDepthBox(FormHarness& harness, const std::string& entry) {
    harness.dialogs.messages.clear();
    harness.view.selectedAll.clear();
    harness.view.setText(Control::DepthBox, entry);
    harness.view.focus = Control::FolderBox;
    harness.form->checkDepthEntry();
    return harness.dialogs.messages;
}

TEST(Form1TargetDepth, DepthCheckRefusesWhatIsNoNumberOrBelowOne) {
    FormHarness harness;
    harness.load();
    FakeView& view = harness.view;

    for (const char* entry : {"", "   ", "abc", "2 5", "1.2.3", "--1", "e5"}) {
        SCOPED_TRACE(entry);
        EXPECT_EQ(leaveDepthBox(harness, entry),
                  std::vector<ShownMessage>{Notice("Must be a numeric entry.")});
        // Back in the box, the entry selected to be typed over; the entry stays.
        EXPECT_EQ(view.focus, Control::DepthBox);
        EXPECT_EQ(view.selectedAll, std::vector<Control>{Control::DepthBox});
        EXPECT_EQ(view.text(Control::DepthBox), entry);
    }
    for (const char* entry : {"0", "-3", "0.5", "0.999", "-1e3"}) {
        SCOPED_TRACE(entry);
        EXPECT_EQ(leaveDepthBox(harness, entry),
                  std::vector<ShownMessage>{Notice("Must be 1 or higher.")});
        EXPECT_EQ(view.focus, Control::DepthBox);
    }
    for (const char* entry : {"1", "2.5", " 7 ", "+3", "1e1", "1,000"}) {
        SCOPED_TRACE(entry);
        EXPECT_TRUE(leaveDepthBox(harness, entry).empty());
        EXPECT_EQ(view.focus, Control::FolderBox);
    }
}

TEST(Form1TargetDepth, DepthCheckRunsWhicheverDepthOptionIsSelectedAndChangesNothing) {
    FormHarness harness;
    harness.load();
    ASSERT_TRUE(harness.view.isChecked(Control::AllSubfoldersOption));

    EXPECT_EQ(leaveDepthBox(harness, "abc"),
              std::vector<ShownMessage>{Notice("Must be a numeric entry.")});
    EXPECT_EQ(harness.settings.stored("Text2"), "abc");
    EXPECT_TRUE(harness.view.isChecked(Control::AllSubfoldersOption));
}

TEST(Form1TargetDepth, DepthCheckReadsNumbersWithTheUsersSeparators) {
    FormHarness harness;
    harness.numberFormat = {",", "."};
    harness.load();

    EXPECT_TRUE(leaveDepthBox(harness, "2,5").empty());
    EXPECT_TRUE(leaveDepthBox(harness, "1.000").empty());
    EXPECT_EQ(leaveDepthBox(harness, "0,5"),
              std::vector<ShownMessage>{Notice("Must be 1 or higher.")});
}

TEST(Form1TargetDepth, GainingTheFocusSelectsTheDepthEntry) {
    FormHarness harness;
    Form1& form = harness.load();
    form.selectDepthEntry();
    EXPECT_EQ(harness.view.selectedAll, std::vector<Control>{Control::DepthBox});
}

TEST(Form1TargetDepth, FolderBrowserFillsTheFolderBoxOnlyWithAChoice) {
    FormHarness harness;
    harness.settings.put("LastFolder", "/srv/last");
    Form1& form = harness.load();
    form.setOption(Control::DriveOption, true);
    const std::string folderBefore = harness.view.text(Control::FolderBox);

    harness.settings.writes.clear();
    form.browseFolder();  // cancelled: no answer scripted
    EXPECT_EQ(harness.dialogs.browses,
              (std::vector<DialogRequest>{{"Please select folder:", "/srv/last"}}));
    EXPECT_EQ(harness.view.text(Control::FolderBox), folderBefore);
    EXPECT_TRUE(harness.settings.writes.empty());

    harness.dialogs.browseAnswers = {"/srv/chosen"};
    form.browseFolder();
    EXPECT_EQ(harness.view.text(Control::FolderBox), "/srv/chosen");
    EXPECT_EQ(harness.settings.writes,
              (Writes{{"Folder", "/srv/chosen"}, {"LastFolder", "/srv/chosen"}}));
    EXPECT_TRUE(harness.view.isChecked(Control::DriveOption))
        << "browsing does not choose the folder target";

    form.browseFolder();
    EXPECT_EQ(harness.dialogs.browses.back().detail, "/srv/chosen");
    EXPECT_TRUE(harness.dialogs.messages.empty());
}

TEST(Form1TargetDepth, FolderBrowserOpensAtItsDefaultWithoutALastFolder) {
    FormHarness harness;
    Form1& form = harness.load();
    form.browseFolder();
    ASSERT_EQ(harness.dialogs.browses.size(), 1u);
    EXPECT_EQ(harness.dialogs.browses[0].detail, "");
}

}  // namespace
}  // namespace quorvane::test
