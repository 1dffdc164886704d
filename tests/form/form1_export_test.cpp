#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "form_harness.h"
#include "results/clipboard_text.h"
#include "results/workbook_reader.h"

#include "support/environment.h"
#include "text/utf16_text.h"

namespace quorvane::test {
namespace {

using quorvane::testing::SheetXml;
using quorvane::testing::TextCell;
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
    TemporaryFolderOverride() : previous_(GetVariable(kTemporaryFolderVariable)) {
        point(folder.path());
    }
    ~TemporaryFolderOverride() { point(previous_); }
    void point(const std::string& path) { SetVariable(kTemporaryFolderVariable, path); }
    Texts names() const { return SortedNames(folder.path()); }

    static Texts SortedNames(const std::string& path) {
        Texts names = ListedNames(path);
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder folder;

  private:
    std::string previous_;
};

// Runs "Save Results As Text File" with `path` chosen in the save dialog.
void SaveTextFile(FormHarness& harness, const std::string& path) {
    harness.dialogs.saveAnswers.push_back(path);
    harness.form->saveTextFile();
}

TEST(Form1Export, TextFileHoldsEachEntryThenCrLfAndOneMore) {
    FormHarness harness;
    Form1& form = harness.load();
    TempFolder folder;
    const std::string file = folder / "results";  // no suffix is added
    MakeFile(file, "an older and much longer file that is replaced without a question");
    FillResults(form, {"C:\\A", "C:\\B", "/srv/x"});
    int pointerAtDone = -1;
    harness.dialogs.whileMessageShown = [&](const ShownMessage&) {
        pointerAtDone = form.mousePointer();
    };

    SaveTextFile(harness, file);
    EXPECT_EQ(
        harness.dialogs.saves,
        (std::vector<DialogRequest>{{"Save", "Text Files (*.txt)|*.txt|All Files (*.*)|*.*|"}}));
    EXPECT_EQ(ReadFile(file), "C:\\A\r\nC:\\B\r\n/srv/x\r\n\r\n");
    EXPECT_EQ(harness.dialogs.messages, std::vector<ShownMessage>{Notice("Done.")});
    EXPECT_EQ(pointerAtDone, Form1::kHourglassPointer);
    EXPECT_EQ(form.mousePointer(), Form1::kDefaultPointer);
    EXPECT_EQ(TemporaryFolderOverride::SortedNames(folder.path()), Texts{"results"});

    form.results().clear();
    SaveTextFile(harness, folder / "empty.txt");
    EXPECT_EQ(ReadFile(folder / "empty.txt"), "\r\n");
    EXPECT_EQ(harness.dialogs.messages.size(), 2u);
}

TEST(Form1Export, CancelledSaveWritesNothingAndShowsNothing) {
    FormHarness harness;
    Form1& form = harness.load();
    FillResults(form, {"C:\\A"});
    form.setMousePointer(Form1::kCustomPointer);
    form.saveTextFile();
    EXPECT_EQ(harness.dialogs.saves.size(), 1u);
    EXPECT_TRUE(harness.dialogs.messages.empty());
    EXPECT_EQ(form.mousePointer(), Form1::kCustomPointer);
}

TEST(Form1Export, FailedTextFileIsReportedAtLine120AndNeverReadsAsDone) {
    FormHarness harness;
    Form1& form = harness.load();
    TempFolder folder;
    FillResults(form, {"/a", "/b"});

    SaveTextFile(harness, folder / "missing folder" + TempFolder::kSeparator + "results.txt");
    ASSERT_EQ(harness.dialogs.messages.size(), 1u);
    EXPECT_EQ(harness.dialogs.messages[0].title, "Application Error");
    EXPECT_EQ(harness.dialogs.messages[0].style, MessageStyle::Exclamation);
    EXPECT_NE(harness.dialogs.messages[0].text.find(
                  "in Velmora2021/08/31.Form1.PushButton2_Click at line 120\r\r"),
              std::string::npos);
    EXPECT_EQ(form.mousePointer(), Form1::kDefaultPointer);

    // The list loses entries while it is read: nothing is written, the old file stays whole.
    const std::string file = folder / "results.txt";
    MakeFile(file, "kept");
    harness.view.atNextPass([&] { EXPECT_TRUE(form.results().removeAt(1).ok()); });
    SaveTextFile(harness, file);
    EXPECT_EQ(harness.dialogs.messages.back(),
              ErrorReport("Index out of bounds", procedure::kSaveTextFile, 120));
    EXPECT_EQ(harness.dialogs.messages.size(), 2u);
    EXPECT_EQ(ReadFile(file), "kept");
    EXPECT_EQ(TemporaryFolderOverride::SortedNames(folder.path()), Texts{"results.txt"});
    EXPECT_EQ(form.mousePointer(), Form1::kDefaultPointer);
}

// The text is the results' clipboard text (tests/results), handed over as UTF-16.
TEST(Form1Export, ClipboardGetsTheListsClipboardTextAndTheUserIsTold) {
    FormHarness harness;
    Form1& form = harness.load();
    FillResults(form, {"C:\\A", "C:\\BB", "C:\\\xC3\x84"});
    int pointerDuringCopy = -1;
    harness.view.atNextPass([&] { pointerDuringCopy = form.mousePointer(); });
    form.copyToClipboard();

    const std::string text = ResultsClipboardText(form.results().entries());
    std::u16string expected(text.size(), u'\0');
    expected.resize(ToUtf16(text, expected.data()));
    EXPECT_EQ(harness.desktop.clipboard, expected);
    EXPECT_EQ(harness.dialogs.messages, std::vector<ShownMessage>{Notice(kCopied)});
    EXPECT_EQ(pointerDuringCopy, Form1::kHourglassPointer);
    EXPECT_EQ(form.mousePointer(), Form1::kDefaultPointer);
}

TEST(Form1Export, ClipboardTextKeepsEveryCharacterOfALongList) {
    FormHarness harness;
    Form1& form = harness.load();
    // Over four megabytes of two-byte letters, so the text is converted in pieces whose
    // borders fall inside a letter; a byte that is not UTF-8 shows as a replacement character,
    // and a letter beyond the first plane as two UTF-16 units.
    std::string letters = "/";
    std::u16string letters16 = u"/";
    for (int n = 0; n < 50; ++n) {
        letters += "\xC3\x84";
        letters16 += u'\u00C4';
    }
    std::vector<std::string> entries(41000, letters);
    entries.push_back("/srv/\xff");
    entries.push_back("/\xF0\x9F\x93\x81");
    FillResults(form, entries);
    int passes = 0;
    harness.view.atNextPass([&] { passes = 1; });
    form.copyToClipboard();

    std::u16string expected;
    for (size_t i = 0; i < 41000; ++i)
        expected += letters16 + u"\t\r\n";
    expected += u"/srv/\uFFFD" + std::u16string(45, u' ') + u"\t\r\n";
    expected += u"/\U0001F4C1" + std::u16string(49, u' ') + u"\t\r\n";
    EXPECT_EQ(harness.desktop.clipboard.size(), expected.size());
    EXPECT_TRUE(harness.desktop.clipboard == expected);
    EXPECT_EQ(passes, 1);
}

TEST(Form1Export, EmptyListLeavesTheClipboardAloneAndStillTellsTheUser) {
    FormHarness harness;
    Form1& form = harness.load();
    harness.desktop.clipboard = u"what the user copied";
    form.copyToClipboard();
    EXPECT_EQ(harness.desktop.clipboard, u"what the user copied");
    EXPECT_EQ(harness.desktop.clipboardWrites, 0);
    EXPECT_EQ(harness.dialogs.messages, std::vector<ShownMessage>{Notice(kCopied)});
}

TEST(Form1Export, ClipboardTextThatCannotBeBuiltIsReportedAndNotCalledCopied) {
    FormHarness harness;
    Form1& form = harness.load();
    FillResults(form, {"/a", "/b", "/c"});
    harness.view.atNextPass([&] { EXPECT_TRUE(form.results().removeAt(3).ok()); });
    form.copyToClipboard();
    EXPECT_EQ(harness.dialogs.messages,
              std::vector<ShownMessage>{
                  ErrorReport("Index out of bounds", procedure::kCopyToClipboard, 106)});
    EXPECT_EQ(harness.desktop.clipboardWrites, 0);
    EXPECT_EQ(form.mousePointer(), Form1::kDefaultPointer);
}

TEST(Form1Export, WithoutSpreadsheetApplicationTwoMessagesAndNothingElse) {
    FormHarness harness;
    Form1& form = harness.load();
    TemporaryFolderOverride temporary;
    harness.desktop.spreadsheetApplication = false;
    FillResults(form, {"C:\\A"});
    form.setMousePointer(Form1::kCustomPointer);
    form.saveExcelFile();
    EXPECT_EQ(harness.dialogs.messages,
              (std::vector<ShownMessage>{Notice(kNotInstalledForSoftware),
                                         Notice(kNotInstalledForFeature)}));
    EXPECT_TRUE(harness.desktop.openedFiles.empty());
    EXPECT_TRUE(temporary.names().empty());
    EXPECT_EQ(form.mousePointer(), Form1::kCustomPointer);
}

TEST(Form1Export, WorkbookOpensWithHeadingAndOneTextRowPerEntry) {
    FormHarness harness;
    Form1& form = harness.load();
    TemporaryFolderOverride temporary;

    form.saveExcelFile();  // an empty list: no workbook, no message
    EXPECT_TRUE(harness.desktop.openedFiles.empty());
    EXPECT_TRUE(temporary.names().empty());

    FillResults(form, {"C:\\A", "C:\\B", "=1+2"});
    int pointerWhileWriting = -1;
    harness.view.atNextPass([&] { pointerWhileWriting = form.mousePointer(); });
    form.saveExcelFile();
    EXPECT_TRUE(harness.dialogs.messages.empty());
    EXPECT_EQ(pointerWhileWriting, Form1::kHourglassPointer);
    EXPECT_EQ(form.mousePointer(), Form1::kDefaultPointer);
    ASSERT_EQ(harness.desktop.openedFiles.size(), 1u);
    const std::string& opened = harness.desktop.openedFiles[0];
    EXPECT_TRUE(opened.ends_with(".xlsx")) << opened;
    EXPECT_TRUE(opened.starts_with(temporary.folder.path())) << opened;
    EXPECT_EQ(temporary.names().size(), 1u);

    const std::string sheet = SheetXml(opened, 1);
    EXPECT_NE(sheet.find(TextCell("A1", "Results")), std::string::npos) << sheet;
    EXPECT_NE(sheet.find(TextCell("A2", "C:\\A")), std::string::npos);
    EXPECT_NE(sheet.find(TextCell("A3", "C:\\B")), std::string::npos);
    EXPECT_NE(sheet.find(TextCell("A4", "=1+2")), std::string::npos);
    EXPECT_EQ(sheet.find("A5"), std::string::npos);

    // A second export is a workbook of its own.
    form.saveExcelFile();
    ASSERT_EQ(harness.desktop.openedFiles.size(), 2u);
    EXPECT_NE(harness.desktop.openedFiles[0], harness.desktop.openedFiles[1]);
}

TEST(Form1Export, WorkbookThatCannotBeWrittenIsReportedOnceAndLeavesNoFile) {
    FormHarness harness;
    Form1& form = harness.load();
    TemporaryFolderOverride temporary;
    FillResults(form, {"/a", "/b", "/c", "/d"});
    harness.view.atNextPass([&] { EXPECT_TRUE(form.results().removeAt(1).ok()); });
    form.saveExcelFile();
    EXPECT_EQ(harness.dialogs.messages,
              std::vector<ShownMessage>{
                  ErrorReport("Index out of bounds", procedure::kSaveExcelFile, 114)});
    EXPECT_TRUE(harness.desktop.openedFiles.empty());
    EXPECT_TRUE(temporary.names().empty());
    EXPECT_EQ(form.mousePointer(), Form1::kDefaultPointer);

    // No temporary folder to write it in.
    harness.dialogs.messages.clear();
    temporary.point(temporary.folder / "gone");
    form.saveExcelFile();
    ASSERT_EQ(harness.dialogs.messages.size(), 1u);
    EXPECT_NE(harness.dialogs.messages[0].text.find(
                  "in Velmora2021/08/31.Form1.PushButton4_Click at line 112\r\r"),
              std::string::npos);
    EXPECT_TRUE(harness.desktop.openedFiles.empty());
    EXPECT_EQ(form.mousePointer(), Form1::kDefaultPointer);
    temporary.point(temporary.folder.path());

    // A workbook that the desktop cannot open is reported too, and left for the user.
    harness.dialogs.messages.clear();
    harness.desktop.openFileWorks = false;
    form.saveExcelFile();
    ASSERT_EQ(harness.dialogs.messages.size(), 1u);
    EXPECT_NE(harness.dialogs.messages[0].text.find(
                  "in Velmora2021/08/31.Form1.PushButton4_Click at line 174\r\r"),
              std::string::npos);
    EXPECT_EQ(temporary.names().size(), 1u);
    EXPECT_EQ(form.mousePointer(), Form1::kDefaultPointer);
}

TEST(Form1Export, ClosingTheWindowRemovesTheWorkbooksNoProgramWasGiven) {
    {
        // Closed while the workbook is written: neither it nor its partial file is left. (On
        // Windows a file still open goes when the program has ended, which closes it; here
        // the command goes on after the close and closes it at its end.)
        FormHarness harness;
        Form1& form = harness.load();
        TemporaryFolderOverride temporary;
        FillResults(form, {"/a", "/b", "/c"});
        Texts namesAtClose{"the window was not closed"};
        harness.view.atNextPass([&] {
            form.unload();
            namesAtClose = temporary.names();
        });
        form.saveExcelFile();
        EXPECT_EQ(harness.endProgramCalls, 1);
        if (kOpenFilesCanBeRemoved) {
            EXPECT_EQ(namesAtClose, Texts());
        }
        EXPECT_EQ(temporary.names(), Texts());
    }
    // A workbook the desktop could not open goes at the close; one that it opened stays.
    FormHarness harness;
    Form1& form = harness.load();
    TemporaryFolderOverride temporary;
    FillResults(form, {"/a"});
    form.saveExcelFile();
    harness.desktop.openFileWorks = false;
    form.saveExcelFile();
    ASSERT_EQ(harness.desktop.openedFiles.size(), 2u);
    EXPECT_EQ(temporary.names().size(), 2u);
    form.unload();
    const std::string& opened = harness.desktop.openedFiles[0];
    EXPECT_EQ(temporary.names(), Texts{opened.substr(opened.rfind(TempFolder::kSeparator) + 1)});
}

}  // namespace
}  // namespace quorvane::test
