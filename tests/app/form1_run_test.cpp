#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/results_list_model.h"
#include "form_harness.h"

namespace quorvane::test {
namespace {

namespace fs = std::filesystem;
using Entries = std::vector<std::string>;

const QString kTitle = QStringLiteral("Quorvane");

ShownMessage plain(const char* text) {
    return {QString::fromLatin1(text), kTitle};
}

Entries entriesOf(Form1& form) {
    Entries entries;
    for (std::int64_t i = 1; i <= form.Results().count(); ++i) {
        entries.emplace_back(form.Results().text(i));
    }
    return entries;
}

// The names in a folder in the order the file system lists them, as the walk meets them.
Entries listed(const fs::path& folder) {
    Entries names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_directory() && name.front() != '.') names.push_back(name);
    }
    return names;
}

// A target T holding the chain A/B/C/D/E and the empty folder F, plus a file and a hidden
// folder that are never listed. Below A every folder has one child, so the order of the
// whole list depends only on how the file system lists T.
class RunTree {
  public:
    RunTree() {
        fs::create_directories(root / "A/B/C/D/E");
        fs::create_directories(root / "F");
        fs::create_directories(root / ".hidden/inside");
        std::ofstream(root / "file.txt") << "x";
    }
    // QTemporaryDir cannot remove names that are not valid UTF-8.
    ~RunTree() { fs::remove_all(root); }

    std::string path(const std::string& relative = {}) const {
        return relative.empty() ? root.string() : (root / relative).string();
    }
    // T's own block, last in every list.
    Entries topBlock() const {
        Entries block;
        for (const std::string& name : listed(root))
            block.push_back(path(name));
        return block;
    }
    Entries withTopBlock(Entries below) const {
        for (std::string& entry : topBlock())
            below.push_back(entry);
        return below;
    }

    QTemporaryDir dir;
    fs::path root = fs::path(dir.path().toStdString()) / "T";
};

class Form1Run : public ::testing::Test {
  protected:
    Form1& loadWithFolder(const std::string& folder, const char* depthOption = "Option8",
                          const QString& depthText = QStringLiteral("3")) {
        harness.store(QStringLiteral("Folder"), QString::fromStdString(folder));
        harness.store(QStringLiteral("Text2"), depthText);
        for (const char* option : {"Option6", "Option7", "Option8"}) {
            harness.store(QString::fromLatin1(option),
                          QString::fromLatin1(strcmp(option, depthOption) == 0 ? "True" : "False"));
        }
        Form1& form = harness.load();
        harness.dialogs.messages.clear();
        return form;
    }

    FormHarness harness;
    RunTree tree;
};

TEST_F(Form1Run, FolderTargetListsEachDepthInTheWalksOrder) {
    const Entries everyLevel = tree.withTopBlock(
        {tree.path("A/B/C/D/E"), tree.path("A/B/C/D"), tree.path("A/B/C"), tree.path("A/B")});
    Form1& form = loadWithFolder(tree.path());
    form.PushButton1_Click();
    EXPECT_EQ(entriesOf(form), everyLevel);
    EXPECT_EQ(harness.dialogs.messages, std::vector{plain("Done.")});

    form.Option7->click();
    form.PushButton1_Click();
    EXPECT_EQ(entriesOf(form), tree.topBlock());

    // 2.5 goes to 2 and 3.5 to 4: an exact half goes to the even whole number.
    form.Option6->click();
    form.Text2->setText(QStringLiteral("2.5"));
    form.PushButton1_Click();
    EXPECT_EQ(entriesOf(form), tree.withTopBlock({tree.path("A/B")}));

    form.Text2->setText(QStringLiteral("3.5"));
    form.PushButton1_Click();
    EXPECT_EQ(entriesOf(form),
              tree.withTopBlock({tree.path("A/B/C/D"), tree.path("A/B/C"), tree.path("A/B")}));
    EXPECT_EQ(harness.dialogs.messages.size(), 4u);
    EXPECT_EQ(form.MousePointer(), Form1::kDefaultPointer);
    EXPECT_FALSE(form.CreatingList());
}

TEST_F(Form1Run, TrailingOrDoubledSeparatorInTheFolderGivesTheSameEntries) {
    Form1& form = loadWithFolder(tree.path(), "Option7");
    for (const std::string& typed : {tree.path(), tree.path() + "/", tree.path() + "//"}) {
        form.Text1->setText(QString::fromStdString(typed));
        form.PushButton1_Click();
        EXPECT_EQ(entriesOf(form), tree.topBlock()) << typed;
    }
}

TEST_F(Form1Run, MissingEmptyOrFileTargetIsToldAndLeavesTheListEmpty) {
    Form1& form = loadWithFolder(tree.path());
    form.PushButton1_Click();
    ASSERT_GT(form.Results().count(), 0);

    for (const std::string& typed : {tree.path("nowhere"), std::string(), tree.path("file.txt")}) {
        harness.dialogs.messages.clear();
        form.Text1->setText(QString::fromStdString(typed));
        form.PushButton1_Click();
        EXPECT_EQ(harness.dialogs.messages,
                  std::vector{plain("Folder does not exist. Please select another folder.")})
            << typed;
        EXPECT_EQ(form.Results().count(), 0);
        EXPECT_EQ(form.MousePointer(), Form1::kDefaultPointer);
        EXPECT_FALSE(form.CreatingList());
    }
}

TEST_F(Form1Run, FolderWithoutSubfoldersGivesAnEmptyListAndDone) {
    Form1& form = loadWithFolder(tree.path("F"));
    form.PushButton1_Click();
    EXPECT_EQ(form.Results().count(), 0);
    EXPECT_EQ(harness.dialogs.messages, std::vector{plain("Done.")});
}

TEST_F(Form1Run, EveryDriveIsWalkedInTheListsOrderAndDoneIsShownOnce) {
    harness.drives.list = {{"first", tree.path("A/B") + "/"},
                           {"not ready", tree.path("missing") + "/"},
                           {"second", tree.path("A/B/C/D") + "/"}};
    harness.store(QStringLiteral("Option3"), QStringLiteral("True"));
    Form1& form = loadWithFolder(tree.path());
    ASSERT_TRUE(form.Option3->isChecked());
    form.PushButton1_Click();
    EXPECT_EQ(entriesOf(form), (Entries{tree.path("A/B/C/D/E"), tree.path("A/B/C/D"),
                                        tree.path("A/B/C"), tree.path("A/B/C/D/E")}));
    EXPECT_EQ(harness.dialogs.messages, std::vector{plain("Done.")});

    // One drive: the one chosen in the list.
    form.Option4->click();
    form.Drive1->setCurrentIndex(2);
    form.PushButton1_Click();
    EXPECT_EQ(entriesOf(form), Entries{tree.path("A/B/C/D/E")});
}

TEST_F(Form1Run, NoTargetOptionEndsQuietly) {
    Form1& form = loadWithFolder(tree.path());
    form.SetOptionValue(form.Option5, false);
    form.PushButton1_Click();
    EXPECT_TRUE(harness.dialogs.messages.empty());
    EXPECT_EQ(form.Results().count(), 0);
    EXPECT_EQ(form.MousePointer(), Form1::kDefaultPointer);
    EXPECT_FALSE(form.CreatingList());
}

TEST_F(Form1Run, DepthTextThatDoesNotConvertIsReportedThenTheFirstLevelIsListed) {
    for (const char* depth : {"abc", "40000"}) {
        Form1& form = loadWithFolder(tree.path(), "Option6", QString::fromLatin1(depth));
        form.PushButton1_Click();
        const char* description = std::string(depth) == "abc" ? "Type mismatch" : "Overflow";
        ASSERT_EQ(harness.dialogs.messages.size(), 2u) << depth;
        EXPECT_EQ(harness.dialogs.messages[0].text,
                  QString::fromLatin1(description) +
                      "\r\nin Velmora2021/08/31.Form1.PushButton1_Click at line 112\r\r"
                      "Please email screenshot of this message to support@brindlework.example");
        EXPECT_EQ(harness.dialogs.messages[0].title, QStringLiteral("Application Error"));
        EXPECT_EQ(harness.dialogs.messages[0].style, MessageStyle::Exclamation);
        EXPECT_EQ(harness.dialogs.messages[1], plain("Done."));
        EXPECT_EQ(entriesOf(form), tree.topBlock());
    }
}

TEST_F(Form1Run, SecondPressDuringARunDoesNothingAndThePointerStaysBusy) {
    Form1& form = loadWithFolder(tree.path());
    int pointerDuringRun = -1;
    bool creatingDuringRun = false;
    QTimer::singleShot(0, &form, [&] {
        pointerDuringRun = form.MousePointer();
        creatingDuringRun = form.CreatingList();
        // Hovering a button while the hourglass shows must leave it alone.
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form.PushButton2, &move);
        form.PushButton1->click();
    });
    form.PushButton1_Click();
    EXPECT_EQ(pointerDuringRun, Form1::kHourglassPointer);
    EXPECT_TRUE(creatingDuringRun);
    EXPECT_EQ(harness.dialogs.messages, std::vector{plain("Done.")});
    EXPECT_EQ(entriesOf(form).size(), 6u);
    EXPECT_EQ(form.MousePointer(), Form1::kDefaultPointer);
    EXPECT_FALSE(form.CreatingList());
}

TEST_F(Form1Run, NamesKeepEveryByteEvenLineBreaksAndNonUtf8) {
    const std::string awkward[] = {"two\nlines", "latin1-\xE9t\xE9", "tab\there"};
    for (const std::string& name : awkward)
        fs::create_directories(tree.root / "F" / name);
    Form1& form = loadWithFolder(tree.path("F"));
    form.PushButton1_Click();
    Entries expected;
    for (const std::string& name : listed(tree.root / "F"))
        expected.push_back(tree.path("F/" + name));
    EXPECT_EQ(entriesOf(form), expected);
    EXPECT_EQ(form.Results().count(), 3);
}

}  // namespace
}  // namespace quorvane::test
