#include <gtest/gtest.h>

#include "form_harness.h"

namespace quorvane::test {
namespace {

using Writes = std::vector<FakeSettings::Write>;

ShownMessage loadReport(const char* description, int line) {
    return ErrorReport(description, procedure::kFormLoad, line);
}

std::string checked(const FakeView& view) {
    std::string names;
    for (const Control option : {Control::EntireComputerOption, Control::DriveOption,
                                 Control::FolderOption, Control::LimitDepthOption,
                                 Control::FirstSubfoldersOption, Control::AllSubfoldersOption}) {
        if (view.isChecked(option)) names += std::string(LayoutOf(option).name) + ' ';
    }
    if (!names.empty()) names.pop_back();
    return names;
}

TEST(Form1Load, FirstStartSelectsTheDefaultsAndStoresOnlyTheTwoTexts) {
    FormHarness harness;
    Form1& form = harness.load();
    const std::string desktop = harness.desktop.folder + TempFolder::kSeparator;

    EXPECT_EQ(checked(harness.view), "Option5 Option8");
    EXPECT_EQ(harness.view.text(Control::FolderBox), desktop);
    EXPECT_EQ(harness.view.text(Control::DepthBox), "3");
    EXPECT_EQ(harness.settings.keys(), (std::vector<std::string>{"Folder", "Text2"}));
    EXPECT_EQ(harness.settings.stored("Folder"), desktop);
    EXPECT_EQ(harness.settings.stored("Text2"), "3");

    EXPECT_EQ(harness.view.text(Control::Window), "Quorvane");
    EXPECT_EQ(form.applicationTitle(), "Quorvane");
    EXPECT_TRUE(harness.view.iconShown);
    EXPECT_EQ(form.mousePointer(), Form1::kDefaultPointer);
    EXPECT_TRUE(harness.dialogs.messages.empty());
    EXPECT_EQ(form.results().columnHeaderCount(), 1);
    EXPECT_EQ(form.results().columnHeadings(), std::vector<std::string>{"Results"});
    EXPECT_EQ(harness.view.columnWidth, 7000);
}

TEST(Form1Load, StoredChoicesComeBackThroughTheControls) {
    {
        FormHarness harness;
        harness.settings.put("Option5", "False");
        harness.settings.put("Option4", "False");
        harness.settings.put("Option3", "True");
        harness.load();
        EXPECT_EQ(checked(harness.view), "Option3 Option8");
    }
    {
        FormHarness harness;
        harness.settings.put("Option6", "True");
        harness.settings.put("Option7", "False");
        harness.settings.put("Option8", "False");
        harness.settings.put("Text2", "5");
        harness.settings.put("Folder", "/srv/data");
        harness.load();
        EXPECT_EQ(checked(harness.view), "Option5 Option6");
        EXPECT_EQ(harness.view.text(Control::DepthBox), "5");
        EXPECT_EQ(harness.view.text(Control::FolderBox), "/srv/data");
    }
}

TEST(Form1Load, InconsistentGroupIsSettledByTheRestoreOrder) {
    FormHarness harness;
    // Two options of the target group claim the selection: the later restored one wins and
    // its click stores the settled group.
    harness.settings.put("Option5", "True");
    harness.settings.put("Option4", "True");
    harness.settings.put("Option3", "False");
    // No option of the depth group is selected.
    harness.settings.put("Option8", "False");
    harness.settings.put("Option7", "False");
    harness.settings.put("Option6", "False");
    harness.load();

    EXPECT_EQ(checked(harness.view), "Option4");
    // Clearing an option runs no handler: only the drive option's click and the texts wrote.
    EXPECT_EQ(harness.settings.writes,
              (Writes{{"Option5", "False"},
                      {"Option4", "True"},
                      {"Option3", "False"},
                      {"Folder", harness.desktop.folder + TempFolder::kSeparator},
                      {"Text2", "3"}}));
}

TEST(Form1Load, StoredBooleansAreWordsOrNumbersAndAnythingElseIsReportedAtItsLine) {
    {
        FormHarness harness;
        harness.settings.put("Option5", "0");
        harness.settings.put("option4", "TRUE");  // any letter case, in key and value
        harness.settings.put("Option7", "-1");
        harness.load();
        EXPECT_EQ(checked(harness.view), "Option4 Option7");
        EXPECT_TRUE(harness.dialogs.messages.empty());
    }
    const struct {
        const char* key;
        int line;
    } lines[] = {{"Option5", 132}, {"Option4", 134}, {"Option3", 136},
                 {"Option8", 140}, {"Option7", 142}, {"Option6", 144}};
    for (const auto& [key, line] : lines) {
        SCOPED_TRACE(key);
        FormHarness harness;
        harness.settings.put(key, "yes");
        harness.settings.put("Text2", "4");
        harness.load();
        EXPECT_EQ(harness.dialogs.messages,
                  std::vector<ShownMessage>{loadReport("Type mismatch", line)});
        // The option keeps its state and the restore goes on to the end.
        EXPECT_EQ(checked(harness.view), "Option5 Option8");
        EXPECT_EQ(harness.view.text(Control::DepthBox), "4");
        EXPECT_EQ(harness.settings.stored(key), "yes");
    }
}

TEST(Form1Load, MissingDesktopFolderIsReportedAndLeavesTheFolderBoxAlone) {
    FormHarness harness;
    harness.desktop.folder.clear();
    harness.settings.put("Folder", "/srv/data");
    harness.load();

    EXPECT_EQ(harness.dialogs.messages,
              std::vector<ShownMessage>{loadReport("Invalid procedure call or argument", 138)});
    EXPECT_EQ(harness.view.text(Control::FolderBox), "");
    EXPECT_EQ(harness.view.text(Control::DepthBox), "3");
}

TEST(Form1Load, SkinFileGivesTheButtonFaceOnlyWhenItIsAVisibleFile) {
    {
        FormHarness harness;
        harness.load();
        EXPECT_FALSE(harness.view.buttonFace);
    }
    {
        FormHarness harness;
        MakeFolders(harness.programFile("x/o.cjs"));  // a folder: no skin
        harness.load();
        EXPECT_FALSE(harness.view.buttonFace);
    }
    {
        FormHarness harness;
        MakeFolder(harness.programFile("x"));
        MakeFile(harness.programFile("x/o.cjs"));
        harness.load();
        EXPECT_TRUE(harness.view.buttonFace);
        EXPECT_TRUE(harness.dialogs.messages.empty());
    }
}

TEST(Form1Load, HandCursorFileIsTheCustomPointerAndAFileThatIsNoneIsReported) {
    {
        FormHarness harness;
        harness.load();
        EXPECT_EQ(harness.view.mouseIcon, "") << "no file, nothing loaded";
    }
    {
        FormHarness harness;
        MakeFile(harness.programFile("HAND-M.CUR"), "cursor");
        harness.load();
        EXPECT_EQ(harness.view.mouseIcon, harness.programFile("HAND-M.CUR"));
        EXPECT_TRUE(harness.dialogs.messages.empty());
    }
    {
        FormHarness harness;
        MakeFile(harness.programFile("HAND-M.CUR"), "not a cursor");
        harness.view.cursorFilesLoad = false;
        harness.load();
        EXPECT_EQ(harness.dialogs.messages,
                  std::vector<ShownMessage>{loadReport("Invalid picture", 108)});
        EXPECT_EQ(harness.view.text(Control::DepthBox), "3") << "the load goes on";
    }
}

TEST(Form1Load, HomePageOpensOnlyOnTheDrawOfSeven) {
    const struct {
        double fraction;
        bool opens;
    } draws[] = {{0.0, false},   {0.0599, false}, {0.06, true},
                 {0.0699, true}, {0.07, false},   {0.9999, false}};
    for (const auto& [fraction, opens] : draws) {
        SCOPED_TRACE(fraction);
        FormHarness harness;
        harness.random.value = fraction;
        harness.load();
        EXPECT_EQ(harness.desktop.openedUrls,
                  opens ? std::vector<std::string>{"https://www.brindlework.example/"}
                        : std::vector<std::string>{});
    }
}

}  // namespace
}  // namespace quorvane::test
