#include <gtest/gtest.h>

#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QRadioButton>

#include "app/error_report.h"
#include "form_harness.h"

namespace quorvane::test {
namespace {

QString loadReport(const char* description, int line) {
    return QString::fromStdString(ErrorReportText(description, procedure::kFormLoad, line));
}

ShownMessage reportAt(const char* description, int line) {
    return {loadReport(description, line), QStringLiteral("Application Error"),
            MessageStyle::Exclamation};
}

QString checked(Form1& form) {
    QString names;
    for (QRadioButton* option :
         {form.Option3, form.Option4, form.Option5, form.Option6, form.Option7, form.Option8}) {
        if (option->isChecked()) names += option->objectName() + u' ';
    }
    return names.trimmed();
}

TEST(Form1Load, FirstStartSelectsTheDefaultsAndStoresOnlyTheTwoTexts) {
    FormHarness harness;
    Form1& form = harness.load();

    EXPECT_EQ(checked(form), QStringLiteral("Option5 Option8"));
    EXPECT_EQ(form.Text1->text(), harness.desktop.folder + u'/');
    EXPECT_EQ(form.Text2->text(), QStringLiteral("3"));
    EXPECT_EQ(harness.storedKeys(), QStringList({"Folder", "Text2"}));
    EXPECT_EQ(harness.stored("Folder"), harness.desktop.folder + u'/');
    EXPECT_EQ(harness.stored("Text2"), QStringLiteral("3"));

    EXPECT_EQ(form.windowTitle(), QStringLiteral("Quorvane"));
    EXPECT_EQ(form.ApplicationTitle(), QStringLiteral("Quorvane"));
    EXPECT_EQ(form.MousePointer(), Form1::kDefaultPointer);
    EXPECT_TRUE(harness.dialogs.messages.empty());
}

TEST(Form1Load, WindowShowsTheProgramIconInEveryDrawnSize) {
    FormHarness harness;
    Form1& form = harness.load();
    // Missing sizes mean the built-in pictures did not reach the program.
    EXPECT_EQ(form.windowIcon().availableSizes(),
              (QList<QSize>{{32, 32}, {48, 48}, {128, 128}, {256, 256}}));
}

TEST(Form1Load, StoredChoicesComeBackThroughTheControls) {
    {
        FormHarness harness;
        harness.store("Option5", "False");
        harness.store("Option4", "False");
        harness.store("Option3", "True");
        Form1& form = harness.load();
        EXPECT_EQ(checked(form), QStringLiteral("Option3 Option8"));
    }
    {
        FormHarness harness;
        harness.store("Option6", "True");
        harness.store("Option7", "False");
        harness.store("Option8", "False");
        harness.store("Text2", "5");
        harness.store("Folder", "/srv/data");
        Form1& form = harness.load();
        EXPECT_EQ(checked(form), QStringLiteral("Option5 Option6"));
        EXPECT_EQ(form.Text2->text(), QStringLiteral("5"));
        EXPECT_EQ(form.Text1->text(), QStringLiteral("/srv/data"));
    }
}

TEST(Form1Load, InconsistentGroupIsSettledByTheRestoreOrder) {
    FormHarness harness;
    // Two options of the target group claim the selection: the later restored one wins and
    // its click stores the settled group.
    harness.store("Option5", "True");
    harness.store("Option4", "True");
    harness.store("Option3", "False");
    // No option of the depth group is selected.
    harness.store("Option8", "False");
    harness.store("Option7", "False");
    harness.store("Option6", "False");
    harness.settings.writes.clear();
    Form1& form = harness.load();

    EXPECT_EQ(checked(form), QStringLiteral("Option4"));
    EXPECT_EQ(harness.stored("Option5"), QStringLiteral("False"));
    EXPECT_EQ(harness.stored("Option4"), QStringLiteral("True"));
    EXPECT_EQ(harness.stored("Option3"), QStringLiteral("False"));
    // Clearing an option runs no handler: only Option4's click and the texts wrote.
    const std::vector<RecordingSettingsStore::Write> expected = {
        {"Option5", "False"},
        {"Option4", "True"},
        {"Option3", "False"},
        {"Folder", harness.desktop.folder + u'/'},
        {"Text2", "3"}};
    EXPECT_EQ(harness.settings.writes, expected);
}

TEST(Form1Load, StoredBooleansAreWordsOrNumbersAndAnythingElseIsReportedAtItsLine) {
    {
        FormHarness harness;
        harness.store("Option5", "0");
        harness.store("option4", "TRUE");  // any letter case, in key and value
        harness.store("Option7", "-1");
        Form1& form = harness.load();
        EXPECT_EQ(checked(form), QStringLiteral("Option4 Option7"));
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
        harness.store(key, "yes");
        harness.store("Text2", "4");
        Form1& form = harness.load();
        ASSERT_EQ(harness.dialogs.messages.size(), 1u);
        EXPECT_EQ(harness.dialogs.messages[0], reportAt("Type mismatch", line));
        // The option keeps its state and the restore goes on to the end.
        EXPECT_EQ(checked(form), QStringLiteral("Option5 Option8"));
        EXPECT_EQ(form.Text2->text(), QStringLiteral("4"));
        EXPECT_EQ(harness.stored(key), QStringLiteral("yes"));
    }
}

TEST(Form1Load, MissingDesktopFolderIsReportedAndLeavesTheFolderBoxAlone) {
    FormHarness harness;
    harness.desktop.folder.clear();
    harness.store("Folder", "/srv/data");
    Form1& form = harness.load();

    ASSERT_EQ(harness.dialogs.messages.size(), 1u);
    EXPECT_EQ(harness.dialogs.messages[0], reportAt("Invalid procedure call or argument", 138));
    EXPECT_EQ(form.Text1->text(), QString());
    EXPECT_EQ(form.Text2->text(), QStringLiteral("3"));
}

TEST(Form1Load, SkinFileGivesWindowFramesAndOptionsTheButtonFace) {
    const QColor buttonFace = QGuiApplication::palette().color(QPalette::Button);
    const auto backColour = [](QWidget* control) {
        return control->palette().color(control->backgroundRole());
    };
    {
        FormHarness harness;
        Form1& form = harness.load();
        for (QWidget* control : std::initializer_list<QWidget*>{&form, form.Frame1, form.Frame2,
                                                                form.Option3, form.Option6}) {
            EXPECT_EQ(backColour(control), QColor(Qt::white))
                << control->objectName().toStdString();
        }
    }
    {
        FormHarness harness;
        QDir(harness.applicationFolder).mkpath(QStringLiteral("x/o.cjs"));  // a folder: no skin
        Form1& form = harness.load();
        EXPECT_EQ(backColour(&form), QColor(Qt::white));
    }
    {
        FormHarness harness;
        QDir(harness.applicationFolder).mkpath(QStringLiteral("x"));
        QFile skin(harness.programFile(QStringLiteral("x/o.cjs")));
        ASSERT_TRUE(skin.open(QIODevice::WriteOnly));
        skin.close();
        Form1& form = harness.load();
        for (QWidget* control : std::initializer_list<QWidget*>{
                 &form, form.Frame1, form.Frame2, form.Option3, form.Option4, form.Option5,
                 form.Option6, form.Option7, form.Option8}) {
            EXPECT_EQ(backColour(control), buttonFace) << control->objectName().toStdString();
        }
        EXPECT_EQ(backColour(form.Text1), form.Text1->palette().color(QPalette::Base))
            << "text boxes keep the system window colours";
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
                  opens ? QStringList{"https://www.brindlework.example/"} : QStringList{});
    }
}

}  // namespace
}  // namespace quorvane::test
