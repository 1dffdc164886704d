#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "form_harness.h"
#include "results/scratch_folder.h"
#include "results/workbook_reader.h"
#include "results_commands.h"

namespace quorvane::test {
namespace {

using quorvane::testing::ReadBytes;
using quorvane::testing::ScratchFolder;
using quorvane::testing::SheetXml;
using quorvane::testing::TextCell;
using quorvane::testing::WriteBytes;
using Texts = std::vector<std::string>;

const char kCopied[] =
    "Results have been copied to the clipboard.\r\r"
    "Click a text area where you normally type and press Ctrl+V to paste the clipboard.";
const char kNotInstalledForSoftware[] =
    "Excel is not installed on this computer. You need to have it installed to use this "
    "software without error.";
const char kNotInstalledForFeature[] =
    "Excel is not installed on this computer. You need to have it installed to use this "
    "feature.";

// Points the temporary folder somewhere of the test's own for as long as it lives.
class TemporaryFolderOverride {
  public:
    TemporaryFolderOverride() : previous_(qgetenv("TMPDIR")) {
        qputenv("TMPDIR", folder_.path().toLocal8Bit());
    }
    ~TemporaryFolderOverride() {
        if (previous_.isNull()) {
            qunsetenv("TMPDIR");
        } else {
            qputenv("TMPDIR", previous_);
        }
    }
    QString path() const { return folder_.path(); }
    QStringList names() const { return QDir(folder_.path()).entryList(QDir::Files); }

  private:
    QTemporaryDir folder_;
    QByteArray previous_;
};

// Runs "Save Results As Text File" with `path` chosen in the save dialog.
void SaveTextFile(FormHarness& harness, const std::string& path) {
    harness.dialogs.saveAnswers.push_back(QString::fromStdString(path));
    harness.form->PushButton2_Click();
}

TEST(Form1Export, TextFileHoldsEachEntryThenCrLfAndOneMore) {
    FormHarness harness;
    Form1& form = harness.load();
    ScratchFolder folder;
    const std::string file = folder.file("results");  // no suffix is added
    WriteBytes(file, "an older and much longer file that is replaced without a question");
    FillResults(form, {"C:\\A", "C:\\B", "/srv/\xff\xfe-not-utf8"});
    int pointerAtDone = -1;
    harness.dialogs.whileMessageShown = [&](const ShownMessage&) {
        pointerAtDone = form.MousePointer();
    };

    SaveTextFile(harness, file);
    EXPECT_EQ(harness.dialogs.saves,
              (std::vector<SaveRequest>{{QStringLiteral("Save"),
                                         QStringLiteral("Text Files (*.txt);;All Files (*.*)")}}));
    EXPECT_EQ(ReadBytes(file), "C:\\A\r\nC:\\B\r\n/srv/\xff\xfe-not-utf8\r\n\r\n");
    EXPECT_EQ(harness.dialogs.messages, std::vector<ShownMessage>{Notice("Done.")});
    EXPECT_EQ(pointerAtDone, Form1::kHourglassPointer);
    EXPECT_EQ(form.MousePointer(), Form1::kDefaultPointer);
    EXPECT_EQ(folder.names(), Texts{"results"});

    form.Results().clear();
    SaveTextFile(harness, folder.file("empty.txt"));
    EXPECT_EQ(ReadBytes(folder.file("empty.txt")), "\r\n");
    EXPECT_EQ(harness.dialogs.messages.size(), 2u);
}

TEST(Form1Export, CancelledSaveWritesNothingAndShowsNothing) {
    FormHarness harness;
    Form1& form = harness.load();
    FillResults(form, {"C:\\A"});
    form.setMousePointer(Form1::kCustomPointer);
    form.PushButton2_Click();
    EXPECT_EQ(harness.dialogs.saves.size(), 1u);
    EXPECT_TRUE(harness.dialogs.messages.empty());
    EXPECT_EQ(form.MousePointer(), Form1::kCustomPointer);
}

TEST(Form1Export, FailedTextFileIsReportedAtLine120AndNeverReadsAsDone) {
    FormHarness harness;
    Form1& form = harness.load();
    ScratchFolder folder;
    FillResults(form, {"/a", "/b"});

    SaveTextFile(harness, folder.file("missing folder/results.txt"));
    ASSERT_EQ(harness.dialogs.messages.size(), 1u);
    EXPECT_EQ(harness.dialogs.messages[0].title, QStringLiteral("Application Error"));
    EXPECT_EQ(harness.dialogs.messages[0].style, MessageStyle::Exclamation);
    EXPECT_TRUE(harness.dialogs.messages[0].text.contains(
        QStringLiteral("in Velmora2021/08/31.Form1.PushButton2_Click at line 120\r\r")));
    EXPECT_EQ(form.MousePointer(), Form1::kDefaultPointer);

    // The list loses entries while it is read: nothing is written, the old file stays whole.
    const std::string file = folder.file("results.txt");
    WriteBytes(file, "kept");
    AtNextPass(form, [&] { form.Results().removeAt(1); });
    SaveTextFile(harness, file);
    EXPECT_EQ(harness.dialogs.messages.back(),
              ErrorReport("Index out of bounds", procedure::kSaveTextFile, 120));
    EXPECT_EQ(harness.dialogs.messages.size(), 2u);
    EXPECT_EQ(ReadBytes(file), "kept");
    EXPECT_EQ(folder.names(), Texts{"results.txt"});
    EXPECT_EQ(form.MousePointer(), Form1::kDefaultPointer);
}

TEST(Form1Export, ClipboardGetsPathsPaddedToTheLongestThenTabCrLf) {
    FormHarness harness;
    Form1& form = harness.load();
    FillResults(form, {"C:\\A", "C:\\BB", "C:\\Ä"});
    int pointerDuringCopy = -1;
    AtNextPass(form, [&] { pointerDuringCopy = form.MousePointer(); });
    form.PushButton7_Click();

    EXPECT_EQ(harness.desktop.clipboard, QStringLiteral("C:\\A \t\r\nC:\\BB\t\r\nC:\\Ä \t\r\n"));
    EXPECT_EQ(harness.dialogs.messages, std::vector<ShownMessage>{Notice(kCopied)});
    EXPECT_EQ(pointerDuringCopy, Form1::kHourglassPointer);
    EXPECT_EQ(form.MousePointer(), Form1::kDefaultPointer);

    form.Results().clear();
    FillResults(form, {"/only"});
    form.PushButton7_Click();
    EXPECT_EQ(harness.desktop.clipboard, QStringLiteral("/only\t\r\n"));
}

TEST(Form1Export, ClipboardTextKeepsEveryCharacterOfALongList) {
    FormHarness harness;
    Form1& form = harness.load();
    // Over four megabytes of two-byte letters, so the text is decoded in pieces whose borders
    // fall inside a letter; a byte that is not UTF-8 shows as a replacement character.
    std::string letters = "/";
    for (int n = 0; n < 50; ++n)
        letters += "Ä";
    std::vector<std::string> entries(41000, letters);
    entries.push_back("/srv/\xff");
    FillResults(form, entries);
    form.PushButton7_Click();

    QString expected;
    for (const std::string& entry : entries) {
        const QString path = QString::fromUtf8(entry.data(), qsizetype(entry.size()));
        expected += path.leftJustified(51) + QStringLiteral("\t\r\n");
    }
    EXPECT_TRUE(expected.endsWith(QStringLiteral("/srv/\uFFFD") + QString(45, u' ') +
                                  QStringLiteral("\t\r\n")));
    EXPECT_EQ(harness.desktop.clipboard.size(), expected.size());
    EXPECT_TRUE(harness.desktop.clipboard == expected);
}

TEST(Form1Export, EmptyListLeavesTheClipboardAloneAndStillTellsTheUser) {
    FormHarness harness;
    Form1& form = harness.load();
    harness.desktop.clipboard = QStringLiteral("what the user copied");
    form.PushButton7_Click();
    EXPECT_EQ(harness.desktop.clipboard, QStringLiteral("what the user copied"));
    EXPECT_EQ(harness.desktop.clipboardWrites, 0);
    EXPECT_EQ(harness.dialogs.messages, std::vector<ShownMessage>{Notice(kCopied)});
}

TEST(Form1Export, ClipboardTextThatCannotBeBuiltIsReportedAndNotCalledCopied) {
    FormHarness harness;
    Form1& form = harness.load();
    FillResults(form, {"/a", "/b", "/c"});
    AtNextPass(form, [&] { form.Results().removeAt(3); });
    form.PushButton7_Click();
    EXPECT_EQ(harness.dialogs.messages,
              std::vector<ShownMessage>{
                  ErrorReport("Index out of bounds", procedure::kCopyToClipboard, 106)});
    EXPECT_EQ(harness.desktop.clipboardWrites, 0);
    EXPECT_EQ(form.MousePointer(), Form1::kDefaultPointer);
}

TEST(Form1Export, WithoutSpreadsheetApplicationTwoMessagesAndNothingElse) {
    FormHarness harness;
    Form1& form = harness.load();
    TemporaryFolderOverride temporary;
    harness.desktop.spreadsheetApplication = false;
    FillResults(form, {"C:\\A"});
    form.setMousePointer(Form1::kCustomPointer);
    form.PushButton4_Click();
    EXPECT_EQ(harness.dialogs.messages,
              (std::vector<ShownMessage>{Notice(kNotInstalledForSoftware),
                                         Notice(kNotInstalledForFeature)}));
    EXPECT_TRUE(harness.desktop.openedFiles.isEmpty());
    EXPECT_TRUE(temporary.names().isEmpty());
    EXPECT_EQ(form.MousePointer(), Form1::kCustomPointer);
}

TEST(Form1Export, WorkbookOpensWithHeadingAndOneTextRowPerEntry) {
    FormHarness harness;
    Form1& form = harness.load();
    TemporaryFolderOverride temporary;

    form.PushButton4_Click();  // an empty list: no workbook, no message
    EXPECT_TRUE(harness.desktop.openedFiles.isEmpty());
    EXPECT_TRUE(temporary.names().isEmpty());

    FillResults(form, {"C:\\A", "C:\\B", "=1+2"});
    int pointerWhileWriting = -1;
    AtNextPass(form, [&] { pointerWhileWriting = form.MousePointer(); });
    form.PushButton4_Click();
    EXPECT_TRUE(harness.dialogs.messages.empty());
    EXPECT_EQ(pointerWhileWriting, Form1::kHourglassPointer);
    EXPECT_EQ(form.MousePointer(), Form1::kDefaultPointer);
    ASSERT_EQ(harness.desktop.openedFiles.size(), 1);
    const QFileInfo opened(harness.desktop.openedFiles[0]);
    EXPECT_EQ(opened.suffix(), QStringLiteral("xlsx"));
    EXPECT_EQ(temporary.names(), QStringList{opened.fileName()});

    const std::string sheet = SheetXml(QFile::encodeName(opened.filePath()).toStdString(), 1);
    EXPECT_NE(sheet.find(TextCell("A1", "Results")), std::string::npos) << sheet;
    EXPECT_NE(sheet.find(TextCell("A2", "C:\\A")), std::string::npos);
    EXPECT_NE(sheet.find(TextCell("A3", "C:\\B")), std::string::npos);
    EXPECT_NE(sheet.find(TextCell("A4", "=1+2")), std::string::npos);
    EXPECT_EQ(sheet.find("A5"), std::string::npos);

    // A second export is a workbook of its own.
    form.PushButton4_Click();
    ASSERT_EQ(harness.desktop.openedFiles.size(), 2);
    EXPECT_NE(harness.desktop.openedFiles[0], harness.desktop.openedFiles[1]);
}

TEST(Form1Export, WorkbookThatCannotBeWrittenIsReportedOnceAndLeavesNoFile) {
    FormHarness harness;
    Form1& form = harness.load();
    TemporaryFolderOverride temporary;
    FillResults(form, {"/a", "/b", "/c", "/d"});
    AtNextPass(form, [&] { form.Results().removeAt(1); });
    form.PushButton4_Click();
    EXPECT_EQ(harness.dialogs.messages,
              std::vector<ShownMessage>{
                  ErrorReport("Index out of bounds", procedure::kSaveExcelFile, 114)});
    EXPECT_TRUE(harness.desktop.openedFiles.isEmpty());
    EXPECT_TRUE(temporary.names().isEmpty());
    EXPECT_EQ(form.MousePointer(), Form1::kDefaultPointer);

    // No temporary folder to write it in.
    harness.dialogs.messages.clear();
    qputenv("TMPDIR", QDir(temporary.path()).filePath(QStringLiteral("gone")).toLocal8Bit());
    form.PushButton4_Click();
    ASSERT_EQ(harness.dialogs.messages.size(), 1u);
    EXPECT_TRUE(harness.dialogs.messages[0].text.contains(
        QStringLiteral("in Velmora2021/08/31.Form1.PushButton4_Click at line 112\r\r")));
    EXPECT_TRUE(harness.desktop.openedFiles.isEmpty());
    EXPECT_EQ(form.MousePointer(), Form1::kDefaultPointer);
    qputenv("TMPDIR", temporary.path().toLocal8Bit());

    // A workbook that the desktop cannot open is reported too, and left for the user.
    harness.dialogs.messages.clear();
    harness.desktop.openFileWorks = false;
    form.PushButton4_Click();
    ASSERT_EQ(harness.dialogs.messages.size(), 1u);
    EXPECT_TRUE(harness.dialogs.messages[0].text.contains(
        QStringLiteral("in Velmora2021/08/31.Form1.PushButton4_Click at line 174\r\r")));
    EXPECT_EQ(temporary.names().size(), 1);
    EXPECT_EQ(form.MousePointer(), Form1::kDefaultPointer);
}

TEST(Form1Export, ClosingTheWindowRemovesTheWorkbooksNoProgramWasGiven) {
    {
        // Closed while the workbook is written: neither it nor its partial file is left.
        FormHarness harness;
        Form1& form = harness.load();
        TemporaryFolderOverride temporary;
        FillResults(form, {"/a", "/b", "/c"});
        QStringList namesAtClose{QStringLiteral("the window was not closed")};
        AtNextPass(form, [&] {
            form.close();
            namesAtClose = temporary.names();
        });
        form.PushButton4_Click();
        EXPECT_EQ(harness.endProgramCalls, 1);
        EXPECT_EQ(namesAtClose, QStringList());
    }
    // A workbook the desktop could not open goes at the close; one that it opened stays.
    FormHarness harness;
    Form1& form = harness.load();
    TemporaryFolderOverride temporary;
    FillResults(form, {"/a"});
    form.PushButton4_Click();
    harness.desktop.openFileWorks = false;
    form.PushButton4_Click();
    ASSERT_EQ(harness.desktop.openedFiles.size(), 2);
    EXPECT_EQ(temporary.names().size(), 2);
    form.close();
    EXPECT_EQ(temporary.names(), QStringList{QFileInfo(harness.desktop.openedFiles[0]).fileName()});
}

}  // namespace
}  // namespace quorvane::test
