#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "form_harness.h"

namespace quorvane::test {
namespace {

using Writes = std::vector<RecordingSettingsStore::Write>;

ShownMessage refusal(const char* text) {
    return {QString::fromLatin1(text), QStringLiteral("Quorvane"), MessageStyle::OkOnly};
}

TEST(Form1TargetDepth, ClickingAnOptionStoresItsWholeGroupInTheFixedOrder) {
    FormHarness harness;
    Form1& form = harness.load();
    harness.showActive();

    harness.settings.writes.clear();
    QTest::mouseClick(form.Option4, Qt::LeftButton, {}, QPoint(8, form.Option4->height() / 2));
    EXPECT_TRUE(form.Option4->isChecked());
    EXPECT_EQ(harness.settings.writes,
              (Writes{{"Option5", "False"}, {"Option4", "True"}, {"Option3", "False"}}));

    harness.settings.writes.clear();
    form.Option3->click();
    EXPECT_EQ(harness.settings.writes,
              (Writes{{"Option5", "False"}, {"Option4", "False"}, {"Option3", "True"}}));

    harness.settings.writes.clear();
    form.Option6->click();
    EXPECT_EQ(harness.settings.writes,
              (Writes{{"Option6", "True"}, {"Option7", "False"}, {"Option8", "False"}}));

    harness.settings.writes.clear();
    form.Option8->click();
    EXPECT_EQ(harness.settings.writes,
              (Writes{{"Option6", "False"}, {"Option7", "False"}, {"Option8", "True"}}));
    // The other frame's choice is untouched.
    EXPECT_TRUE(form.Option3->isChecked());
}

TEST(Form1TargetDepth, FolderFromTheCommandLineIsChosenAndStoredAsTheUsersChoice) {
    FormHarness harness;
    Form1& form = harness.load();
    form.Option4->click();
    const QString folder = QDir::toNativeSeparators(QDir::tempPath());

    harness.settings.writes.clear();
    form.LookAtFolder(folder);
    EXPECT_TRUE(form.Option5->isChecked());
    EXPECT_EQ(form.Text1->text(), folder);
    EXPECT_EQ(
        harness.settings.writes,
        (Writes{
            {"Option5", "True"}, {"Option4", "False"}, {"Option3", "False"}, {"Folder", folder}}));
}

TEST(Form1TargetDepth, TextsAreStoredAtEveryChangeAsTyped) {
    FormHarness harness;
    Form1& form = harness.load();
    harness.showActive();

    form.Text1->clear();
    harness.settings.writes.clear();
    form.Text1->setFocus();
    QTest::keyClicks(form.Text1, QStringLiteral("12"));
    EXPECT_EQ(harness.settings.writes, (Writes{{"Folder", "1"}, {"Folder", "12"}}));

    harness.settings.writes.clear();
    form.Text2->setText(QStringLiteral(" abc "));
    form.Text2->setText(QString());
    EXPECT_EQ(harness.settings.writes, (Writes{{"Text2", " abc "}, {"Text2", ""}}));
    EXPECT_EQ(harness.stored("Text2"), QString());
}

// Types `entry` into the depth box and moves the focus on to Text1, as Tab does; returns
// what the check said.
std::vector<ShownMessage> leaveDepthBox(FormHarness& harness, const QString& entry) {
    Form1& form = *harness.form;
    harness.dialogs.messages.clear();
    form.Text2->setFocus(Qt::TabFocusReason);
    form.Text2->setText(entry);
    form.Text1->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    return harness.dialogs.messages;
}

TEST(Form1TargetDepth, DepthCheckRefusesWhatIsNoNumberOrBelowOne) {
    FormHarness harness;
    Form1& form = harness.load();
    harness.showActive();

    for (const char* entry : {"", "   ", "abc", "2 5", "1.2.3", "--1", "e5"}) {
        SCOPED_TRACE(entry);
        EXPECT_EQ(leaveDepthBox(harness, entry),
                  std::vector<ShownMessage>{refusal("Must be a numeric entry.")});
        EXPECT_EQ(QApplication::focusWidget(), form.Text2);
        EXPECT_EQ(form.Text2->selectedText(), form.Text2->text());
        EXPECT_EQ(form.Text2->text(), QString::fromLatin1(entry)) << "the entry stays";
        // Coming back to the box raises no second message.
        QCoreApplication::processEvents();
        EXPECT_EQ(harness.dialogs.messages.size(), 1u);
    }
    for (const char* entry : {"0", "-3", "0.5", "0.999", "-1e3"}) {
        SCOPED_TRACE(entry);
        EXPECT_EQ(leaveDepthBox(harness, entry),
                  std::vector<ShownMessage>{refusal("Must be 1 or higher.")});
        EXPECT_EQ(QApplication::focusWidget(), form.Text2);
        EXPECT_EQ(form.Text2->selectedText(), QString::fromLatin1(entry));
    }
    for (const char* entry : {"1", "2.5", " 7 ", "+3", "1e1", "1,000"}) {
        SCOPED_TRACE(entry);
        EXPECT_TRUE(leaveDepthBox(harness, entry).empty());
        EXPECT_EQ(QApplication::focusWidget(), form.Text1);
    }
}

TEST(Form1TargetDepth, DepthCheckRunsWhicheverDepthOptionIsSelectedAndChangesNothing) {
    FormHarness harness;
    Form1& form = harness.load();
    harness.showActive();
    ASSERT_TRUE(form.Option8->isChecked());

    EXPECT_EQ(leaveDepthBox(harness, "abc"),
              std::vector<ShownMessage>{refusal("Must be a numeric entry.")});
    EXPECT_EQ(harness.stored("Text2"), QStringLiteral("abc"));
    EXPECT_TRUE(form.Option8->isChecked());
}

TEST(Form1TargetDepth, DepthCheckWaitsForTheFocusToMoveWithinTheWindow) {
    FormHarness harness;
    Form1& form = harness.load();
    harness.showActive();
    form.Text2->setFocus(Qt::TabFocusReason);
    form.Text2->setText(QStringLiteral("abc"));

    // Another window, such as a command's message box, takes the focus and gives it back:
    // the entry never left the box for another control.
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    QCoreApplication::processEvents();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QCoreApplication::processEvents();
    EXPECT_TRUE(harness.dialogs.messages.empty());
    EXPECT_EQ(QApplication::focusWidget(), form.Text2);
}

TEST(Form1TargetDepth, DepthCheckReadsNumbersWithTheUsersSeparators) {
    FormHarness harness;
    harness.locale = QLocale(QLocale::German, QLocale::Germany);
    harness.load();
    harness.showActive();

    EXPECT_TRUE(leaveDepthBox(harness, "2,5").empty());
    EXPECT_TRUE(leaveDepthBox(harness, "1.000").empty());
    EXPECT_EQ(leaveDepthBox(harness, "0,5"),
              std::vector<ShownMessage>{refusal("Must be 1 or higher.")});
}

TEST(Form1TargetDepth, FolderBrowserFillsTheFolderBoxOnlyWithAChoice) {
    FormHarness harness;
    harness.store("LastFolder", "/srv/last");
    Form1& form = harness.load();
    form.Option4->click();
    const QString folderBefore = form.Text1->text();

    harness.settings.writes.clear();
    form.PushButton5->click();  // cancelled: no answer scripted
    ASSERT_EQ(harness.dialogs.browses.size(), 1u);
    EXPECT_EQ(harness.dialogs.browses[0], (BrowseRequest{"Please select folder:", "/srv/last"}));
    EXPECT_EQ(form.Text1->text(), folderBefore);
    EXPECT_TRUE(harness.settings.writes.empty());

    harness.dialogs.browseAnswers = {QStringLiteral("/srv/chosen")};
    form.PushButton5->click();
    EXPECT_EQ(form.Text1->text(), QStringLiteral("/srv/chosen"));
    EXPECT_EQ(harness.settings.writes,
              (Writes{{"Folder", "/srv/chosen"}, {"LastFolder", "/srv/chosen"}}));
    EXPECT_TRUE(form.Option4->isChecked()) << "browsing does not choose the folder target";

    form.PushButton5->click();
    EXPECT_EQ(harness.dialogs.browses.back().initialFolder, QStringLiteral("/srv/chosen"));
    EXPECT_TRUE(harness.dialogs.messages.empty());
}

TEST(Form1TargetDepth, FolderBrowserOpensAtItsDefaultWithoutALastFolder) {
    FormHarness harness;
    Form1& form = harness.load();
    form.PushButton5->click();
    ASSERT_EQ(harness.dialogs.browses.size(), 1u);
    EXPECT_EQ(harness.dialogs.browses[0].initialFolder, QString());
}

}  // namespace
}  // namespace quorvane::test
