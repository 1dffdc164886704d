#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/sample_folder.h"
#include "form_harness.h"

namespace quorvane::test {
namespace {

using Writes = std::vector<RecordingSettingsStore::Write>;

ShownMessage help(const QString& text) {
    return {text, QStringLiteral("Quorvane"), MessageStyle::OkOnly};
}

TEST(Form1Help, GeneralHelpIsShownExactlyWithBareCarriageReturns) {
    FormHarness harness;
    Form1& form = harness.load();

    form.PushButton3->click();
    const QString expected = QStringLiteral(
        "This software will create a list of folders found within the target you specify\r\r"
        "If the target is C:\\ then\r\r"
        "C:\\Download\rC:\\Program Files\rC:\\Windows\retc.\r\r"
        "will be returned.\r\r"
        "Questions? Please contact Team Brindlework at https://www.brindlework.example/contact");
    EXPECT_EQ(harness.dialogs.messages, std::vector<ShownMessage>{help(expected)});
}

TEST(Form1Help, DepthHelpEndsWithTheEveryLevelCaptionAsShownAtThePress) {
    FormHarness harness;
    Form1& form = harness.load();
    const QString lines = QStringLiteral(
        "If depth = 1 then C:\\parent\\child will be returned.\r\n\r\n"
        "If depth = 2 then C:\\parent\\child\\child will be returned.\r\n\r\n"
        "If depth = 3 then C:\\parent\\child\\child\\child will be returned.\r\n\r\n"
        "If you are unsure, just select the first option: \r\n");

    form.PushButton9->click();
    form.Option8->setText(QStringLiteral("Every level"));
    form.PushButton9->click();

    EXPECT_EQ(harness.dialogs.messages,
              (std::vector<ShownMessage>{
                  help(lines + "All subfolders of target folder (depth = infinity)"),
                  help(lines + "Every level")}));
}

TEST(Form1Help, SampleFolderReplacesADriveTargetAndTouchesNoDepthChoice) {
    FormHarness harness;
    Form1& form = harness.load();
    form.Option6->click();
    form.Text2->setText(QStringLiteral("4"));
    form.Option4->click();
    harness.settings.writes.clear();

    form.PushButton8->click();

    // The program's folder has no Samples: the path is given all the same, without a word.
    const QString samples = harness.applicationFolder + QStringLiteral("/Samples");
    EXPECT_TRUE(form.Option5->isChecked());
    EXPECT_EQ(form.Text1->text(), samples);
    EXPECT_EQ(
        harness.settings.writes,
        (Writes{
            {"Option5", "True"}, {"Option4", "False"}, {"Option3", "False"}, {"Folder", samples}}));
    EXPECT_TRUE(form.Option6->isChecked());
    EXPECT_EQ(form.Text2->text(), QStringLiteral("4"));
    EXPECT_TRUE(harness.dialogs.messages.empty());

    // From every drive as well.
    form.Option3->click();
    form.Text1->clear();
    harness.settings.writes.clear();
    form.PushButton8->click();
    EXPECT_TRUE(form.Option5->isChecked());
    EXPECT_EQ(
        harness.settings.writes,
        (Writes{
            {"Option5", "True"}, {"Option4", "False"}, {"Option3", "False"}, {"Folder", samples}}));
}

TEST(Form1Help, SampleFolderOfAProgramInTheRootKeepsBothSeparators) {
    FormHarness harness;
    harness.applicationFolder = QDir::rootPath();
    Form1& form = harness.load();

    form.PushButton8->click();
    EXPECT_EQ(form.Text1->text(), QDir::toNativeSeparators(QDir::rootPath()) + QDir::separator() +
                                      QStringLiteral("Samples"));
}

TEST(Form1Help, InstalledCopyFindsItsSampleFolderUnlessOneLiesBesideTheProgram) {
    QTemporaryDir prefix;
    FormHarness harness;
    harness.applicationFolder = prefix.filePath(QStringLiteral("some/place/bin"));
    const QString installed = InstalledSampleFolder(harness.applicationFolder);
    ASSERT_TRUE(installed.startsWith(QDir::toNativeSeparators(prefix.path())))
        << "outside the test";
    ASSERT_TRUE(QDir().mkpath(installed));
    ASSERT_TRUE(QDir().mkpath(harness.applicationFolder));
    Form1& form = harness.load();

    form.PushButton8->click();
    EXPECT_EQ(form.Text1->text(), installed);

    const QString beside = harness.programFile(QStringLiteral("Samples"));
    ASSERT_TRUE(QDir().mkpath(beside));
    form.PushButton8->click();
    EXPECT_EQ(form.Text1->text(), QDir::toNativeSeparators(beside));
}

}  // namespace
}  // namespace quorvane::test
