#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form/settings_keys.h"
#include "form_harness.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace quorvane::test {
namespace {

using Entries = std::vector<std::string>;
constexpr char kSeparator = TempFolder::kSeparator;

// A target T holding the chain A/B/C/D/E and the empty folder F, plus a file and a hidden
// folder that are never listed. Below A every folder has one child, so the order of the
// whole list depends only on how the file system lists T.
class RunTree {
  public:
    RunTree() {
        MakeFolders(path("A/B/C/D/E"));
        MakeFolder(path("F"));
#ifdef _WIN32
        MakeFolders(path("hidden/inside"));
        SetAttributes(path("hidden"), FILE_ATTRIBUTE_HIDDEN);
#else
        MakeFolders(path(".hidden/inside"));
#endif
        MakeFile(path("file.txt"), "x");
    }

    // `relative`, with '/' between its parts, below T.
    std::string path(const std::string& relative = {}) const {
        std::string full = folder / "T";
        if (!relative.empty()) full += kSeparator;
        for (const char c : relative)
            full += c == '/' ? kSeparator : c;
        return full;
    }
    // T's own block, last in every list.
    Entries topBlock() const {
        Entries block;
        for (const std::string& name : ListedNames(path())) {
            if (name == "A" || name == "F") block.push_back(path(name));
        }
        return block;
    }
    Entries withTopBlock(Entries below) const {
        for (std::string& entry : topBlock())
            below.push_back(entry);
        return below;
    }

    TempFolder folder;
};

class Form1Run : public ::testing::Test {
  protected:
    Form1& loadWithFolder(const std::string& folder,
                          Control depthOption = Control::AllSubfoldersOption,
                          const std::string& depthText = "3") {
        harness.settings.put("Folder", folder);
        harness.settings.put("Text2", depthText);
        for (const Control option : {Control::LimitDepthOption, Control::FirstSubfoldersOption,
                                     Control::AllSubfoldersOption}) {
            harness.settings.put(SettingsKeyOf(option), option == depthOption ? "True" : "False");
        }
        Form1& form = harness.load();
        harness.dialogs.messages.clear();
        return form;
    }
    void choose(Control option) { harness.form->setOption(option, true); }

    FormHarness harness;
    RunTree tree;
};

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

TEST_F(Form1Run, TrailingOrDoubledSeparatorInTheFolderGivesTheSameEntries) {
    Form1& form = loadWithFolder(tree.path(), Control::FirstSubfoldersOption);
    const std::string one(1, kSeparator);
    for (const std::string& typed : {tree.path(), tree.path() + one, tree.path() + one + one}) {
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
// the run reports it, and the list keeps what was found before.
TEST_F(Form1Run, WalkThatFailsIsReportedAndTheRunEnds) {
    harness.walk = [](std::string_view, const WalkOptions&, FolderSink& sink) {
        sink.append({"found before", 1, nullptr});
        return Status::of(Status::Failure::OutOfMemory);
    };
    Form1& form = loadWithFolder(tree.path());
    form.startList();
    EXPECT_EQ(
        harness.dialogs.messages,
        (std::vector<ShownMessage>{ErrorReport("Out of memory", procedure::kStartCreatingList, 170),
                                   Notice("Done.")}));
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

#ifndef _WIN32
TEST_F(Form1Run, NamesKeepEveryByteEvenLineBreaksAndNonUtf8) {
    for (const std::string name : {"two\nlines", "latin1-\xE9t\xE9", "tab\there"})
        MakeFolder(tree.path("F/" + name));
    Form1& form = loadWithFolder(tree.path("F"));
    form.startList();
    Entries expected;
    for (const std::string& name : ListedNames(tree.path("F")))
        expected.push_back(tree.path("F/" + name));
    EXPECT_EQ(ResultEntries(form), expected);
    EXPECT_EQ(form.results().count(), 3);
}
#endif

}  // namespace
}  // namespace quorvane::test
