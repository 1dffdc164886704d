#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form1_run_fixture.h"

namespace quorvane::test {
namespace {

using Entries = std::vector<std::string>;

TEST_F(Form1Run, FolderTargetListsEachDepthInTheWalksOrder) {
    const Entries everyLevel = tree.withTopBlock(
        {tree.path("A/B/C/D/E"), tree.path("A/B/C/D"), tree.path("A/B/C"), tree.path("A/B")});
    Form1& form = loadWithFolder(tree.path());
    form.startList();
    EXPECT_EQ(ResultEntries(form), everyLevel);
    EXPECT_EQ(harness.dialogs.messages, std::vector{Notice("Done.")});

    choose(Control::FirstSubfoldersOption);
    form.startList();
    EXPECT_EQ(ResultEntries(form), tree.topBlock());

    // 2.5 goes to 2 and 3.5 to 4: an exact half goes to the even whole number.
    choose(Control::LimitDepthOption);
    harness.view.setText(Control::DepthBox, "2.5");
    form.startList();
    EXPECT_EQ(ResultEntries(form), tree.withTopBlock({tree.path("A/B")}));

    harness.view.setText(Control::DepthBox, "3.5");
    form.startList();
    EXPECT_EQ(ResultEntries(form),
              tree.withTopBlock({tree.path("A/B/C/D"), tree.path("A/B/C"), tree.path("A/B")}));
    EXPECT_EQ(harness.dialogs.messages.size(), 4u);
    EXPECT_EQ(form.mousePointer(), Form1::kDefaultPointer);
    EXPECT_FALSE(form.creatingList());
    // The view was told of every entry.
    EXPECT_EQ(form.results().shownCount(), 5u);
}

// Doubled separators are the walk's (tests/engine) and quorvane-list's (tests/cli) to test.
TEST_F(Form1Run, TrailingSeparatorInTheFolderGivesTheSameEntries) {
    Form1& form = loadWithFolder(tree.path(), Control::FirstSubfoldersOption);
    const std::string one(1, kSeparator);
    for (const std::string& typed : {tree.path(), tree.path() + one}) {
        harness.view.setText(Control::FolderBox, typed);
        form.startList();
        EXPECT_EQ(ResultEntries(form), tree.topBlock()) << typed;
    }
}

TEST_F(Form1Run, MissingEmptyOrFileTargetIsToldAndLeavesTheListEmpty) {
    Form1& form = loadWithFolder(tree.path());
    form.startList();
    ASSERT_GT(form.results().count(), 0);

    for (const std::string& typed : {tree.path("nowhere"), std::string(), tree.path("file.txt")}) {
        harness.dialogs.messages.clear();
        harness.view.setText(Control::FolderBox, typed);
        form.startList();
        EXPECT_EQ(harness.dialogs.messages,
                  std::vector{Notice("Folder does not exist. Please select another folder.")})
            << typed;
        EXPECT_EQ(form.results().count(), 0);
        EXPECT_EQ(form.mousePointer(), Form1::kDefaultPointer);
        EXPECT_FALSE(form.creatingList());
    }
}

TEST_F(Form1Run, FolderWithoutSubfoldersGivesAnEmptyListAndDone) {
    Form1& form = loadWithFolder(tree.path("F"));
    form.startList();
    EXPECT_EQ(form.results().count(), 0);
    EXPECT_EQ(harness.dialogs.messages, std::vector{Notice("Done.")});
}

TEST_F(Form1Run, EveryDriveIsWalkedInTheListsOrderAndDoneIsShownOnce) {
    const std::string one(1, kSeparator);
    harness.drives.list = {{"first", tree.path("A/B") + one},
                           {"not ready", tree.path("missing") + one},
                           {"second", tree.path("A/B/C/D") + one}};
    harness.settings.put("Option3", "True");
    Form1& form = loadWithFolder(tree.path());
    ASSERT_TRUE(harness.view.isChecked(Control::EntireComputerOption));
    EXPECT_EQ(harness.view.driveTexts, (Entries{"first", "not ready", "second"}));
    form.startList();
    EXPECT_EQ(ResultEntries(form), (Entries{tree.path("A/B/C/D/E"), tree.path("A/B/C/D"),
                                            tree.path("A/B/C"), tree.path("A/B/C/D/E")}));
    EXPECT_EQ(harness.dialogs.messages, std::vector{Notice("Done.")});

    // One drive: the one chosen in the list.
    choose(Control::DriveOption);
    harness.view.current = 2;
    form.startList();
    EXPECT_EQ(ResultEntries(form), Entries{tree.path("A/B/C/D/E")});
}

TEST_F(Form1Run, NoTargetOptionEndsQuietly) {
    Form1& form = loadWithFolder(tree.path());
    form.setOption(Control::FolderOption, false);
    form.startList();
    EXPECT_TRUE(harness.dialogs.messages.empty());
    EXPECT_EQ(form.results().count(), 0);
    EXPECT_EQ(form.mousePointer(), Form1::kDefaultPointer);
    EXPECT_FALSE(form.creatingList());
}

TEST_F(Form1Run, DepthTextThatDoesNotConvertIsReportedThenTheFirstLevelIsListed) {
    for (const char* depth : {"abc", "40000"}) {
        SCOPED_TRACE(depth);
        harness.dialogs.messages.clear();
        Form1& form = loadWithFolder(tree.path(), Control::LimitDepthOption, depth);
        form.startList();
        const char* description = std::string(depth) == "abc" ? "Type mismatch" : "Overflow";
        EXPECT_EQ(
            harness.dialogs.messages,
            (std::vector<ShownMessage>{ErrorReport(description, procedure::kStartCreatingList, 112),
                                       Notice("Done.")}));
        EXPECT_EQ(ResultEntries(form), tree.topBlock());
    }
}

// A walk that ran short of descriptors or memory, and could not mend it, is no empty folder:
// it could not make its list, which it reports in its own extended form, and the list keeps
// what was found before.
TEST_F(Form1Run, WalkThatFailsIsReportedByTheWalkAndTheRunEnds) {
    harness.walk = [](std::string_view, const WalkOptions&, FolderSink& sink) {
        sink.append({"found before", 1, nullptr});
        return Status::of(Status::Failure::OutOfMemory);
    };
    Form1& form = loadWithFolder(tree.path());
    form.startList();
    const ShownMessage walkReport{WalkErrorReportText("Out of memory", 100, 7, "", ""),
                                  kErrorReportTitle, MessageStyle::Exclamation};
    EXPECT_EQ(harness.dialogs.messages, (std::vector<ShownMessage>{walkReport, Notice("Done.")}));
    EXPECT_EQ(ResultEntries(form), Entries{"found before"});
    EXPECT_FALSE(form.creatingList());
}

TEST_F(Form1Run, SecondPressDuringARunDoesNothingAndThePointerStaysBusy) {
    Form1& form = loadWithFolder(tree.path());
    int pointerDuringRun = -1;
    bool creatingDuringRun = false;
    harness.view.atNextPass([&] {
        pointerDuringRun = form.mousePointer();
        creatingDuringRun = form.creatingList();
        // Hovering a button while the hourglass shows must leave it alone.
        form.pointerMoved(Control::SaveTextFileButton);
        form.click(Control::StartButton);
    });
    form.startList();
    EXPECT_EQ(pointerDuringRun, Form1::kHourglassPointer);
    EXPECT_TRUE(creatingDuringRun);
    EXPECT_EQ(harness.dialogs.messages, std::vector{Notice("Done.")});
    EXPECT_EQ(ResultEntries(form).size(), 6u);
    EXPECT_EQ(form.mousePointer(), Form1::kDefaultPointer);
    EXPECT_EQ(harness.view.pointerShown, Form1::kDefaultPointer);
    EXPECT_FALSE(form.creatingList());
}

}  // namespace
}  // namespace quorvane::test
