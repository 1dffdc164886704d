#include <gtest/gtest.h>

#include "form/sample_folder.h"
#include "form_harness.h"

namespace quorvane::test {
namespace {

using Writes = std::vector<FakeSettings::Write>;

TEST(Form1Help, GeneralHelpIsShownExactlyWithBareCarriageReturns) {
    FormHarness harness;
    Form1& form = harness.load();

    form.click(Control::HelpButton);
    const std::string expected =
        "This software will create a list of folders found within the target you specify\r\r"
        "If the target is C:\\ then\r\r"
        "C:\\Download\rC:\\Program Files\rC:\\Windows\retc.\r\r"
        "will be returned.\r\r"
        "Questions? Please contact Team Brindlework at https://www.brindlework.example/contact";
    EXPECT_EQ(harness.dialogs.messages, std::vector<ShownMessage>{Notice(expected)});
}

TEST(Form1Help, DepthHelpEndsWithTheEveryLevelCaptionAsShownAtThePress) {
    FormHarness harness;
    Form1& form = harness.load();
    const std::string lines =
        "If depth = 1 then C:\\parent\\child will be returned.\r\n\r\n"
        "If depth = 2 then C:\\parent\\child\\child will be returned.\r\n\r\n"
        "If depth = 3 then C:\\parent\\child\\child\\child will be returned.\r\n\r\n"
        "If you are unsure, just select the first option: \r\n";

    form.click(Control::DepthHelpButton);
    harness.view.setText(Control::AllSubfoldersOption, "Every level");
    form.click(Control::DepthHelpButton);

    EXPECT_EQ(harness.dialogs.messages,
              (std::vector<ShownMessage>{
                  Notice(lines + "All subfolders of target folder (depth = infinity)"),
                  Notice(lines + "Every level")}));
}

TEST(Form1Help, SampleFolderReplacesADriveTargetAndTouchesNoDepthChoice) {
    FormHarness harness;
    Form1& form = harness.load();
    form.setOption(Control::LimitDepthOption, true);
    harness.view.setText(Control::DepthBox, "4");
    form.setOption(Control::DriveOption, true);
    harness.settings.writes.clear();

    form.click(Control::SampleButton);

    // The program's folder has no Samples: the path is given all the same, without a word.
    const std::string samples = harness.programFile("Samples");
    EXPECT_TRUE(harness.view.isChecked(Control::FolderOption));
    EXPECT_EQ(harness.view.text(Control::FolderBox), samples);
    EXPECT_EQ(
        harness.settings.writes,
        (Writes{
            {"Option5", "True"}, {"Option4", "False"}, {"Option3", "False"}, {"Folder", samples}}));
    EXPECT_TRUE(harness.view.isChecked(Control::LimitDepthOption));
    EXPECT_EQ(harness.view.text(Control::DepthBox), "4");
    EXPECT_TRUE(harness.dialogs.messages.empty());

    // From every drive as well.
    form.setOption(Control::EntireComputerOption, true);
    harness.view.setText(Control::FolderBox, "");
    harness.settings.writes.clear();
    form.click(Control::SampleButton);
    EXPECT_TRUE(harness.view.isChecked(Control::FolderOption));
    EXPECT_EQ(
        harness.settings.writes,
        (Writes{
            {"Option5", "True"}, {"Option4", "False"}, {"Option3", "False"}, {"Folder", samples}}));
}

TEST(Form1Help, SampleFolderOfAProgramInTheRootKeepsBothSeparators) {
    FormHarness harness;
    harness.applicationFolder = kRootFolder;
    const std::string expected = kRootFolder + kSeparator + "Samples";
    Form1& form = harness.load();
    form.loadSample();
    EXPECT_EQ(harness.view.text(Control::FolderBox), expected);
}

TEST(Form1Help, InstalledCopyFindsItsSampleFolderUnlessOneLiesBesideTheProgram) {
    FormHarness harness;
    harness.applicationFolder = harness.folder / "some";
    MakeFolder(harness.applicationFolder);
    harness.applicationFolder += TempFolder::kSeparator + std::string("bin");
    MakeFolder(harness.applicationFolder);
    const std::string installed = InstalledSampleFolder(harness.applicationFolder);
    ASSERT_TRUE(installed.starts_with(harness.folder.path())) << "outside the test";
    MakeFolders(installed);
    Form1& form = harness.load();

    form.loadSample();
    EXPECT_EQ(harness.view.text(Control::FolderBox), installed);

    const std::string beside = harness.programFile("Samples");
    MakeFolder(beside);
    form.loadSample();
    EXPECT_EQ(harness.view.text(Control::FolderBox), beside);
}

}  // namespace
}  // namespace quorvane::test
