// quorvane.exe driven from outside on a display of its own: its window as designed, then a
// user's session (a drive listed, the list pruned, saved and copied, the depth entry refused,
// help read) and the close. scripts: tests/win32/window_test.sh runs it in a Wine of its own
// and then reads the settings the session left in the registry.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "help/help_texts.h"
#include "program_window.h"
#include "results/clipboard_text.h"
#include "results/text_file_export.h"
#include "screen_picture.h"
#include "support/expected_walk.h"
#include "support/fixture_tree.h"
#include "support/temp_folder.h"
#include "support/wide_text.h"
#include "win32/form1_window.h"
#include "win32/input_box.h"

namespace quorvane::test {
namespace {

using Rows = std::vector<std::string>;

constexpr wchar_t kSettingsKey[] = L"Software\\VB and VBA Program Settings\\Brindlework\\Quorvane";

// A window's text, asked of the window itself: for a control of another process the system
// keeps none.
std::string TextOf(HWND window) {
    const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return Narrow(text);
}

RECT RectInWindow(HWND control, HWND window) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::wstring BesideThisTest(const std::wstring& name) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.rfind(L'\\') + 1) + name;
}

PathList ListOf(const Rows& rows) {
    PathList list;
    for (const std::string& row : rows)
        list.append(row);
    return list;
}

TEST(Win32Window, ProgramFileCarriesTheIconInItsFourSizes) {
    HMODULE program = LoadLibraryExW(BesideThisTest(L"quorvane.exe").c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_TRUE(program);
    HRSRC group = FindResourceW(program, MAKEINTRESOURCEW(1), RT_GROUP_ICON);
    ASSERT_TRUE(group);
    // The icon directory: three words, then one entry of 14 bytes per image.
    const auto* directory = static_cast<const BYTE*>(LockResource(LoadResource(program, group)));
    const WORD images = *reinterpret_cast<const WORD*>(directory + 4);
    Rows sizes;
    for (WORD i = 0; i < images; ++i) {
        const BYTE* entry = directory + 6 + 14 * i;
        const int size = entry[0] == 0 ? 256 : entry[0];
        const WORD bits = *reinterpret_cast<const WORD*>(entry + 6);
        sizes.push_back(std::to_string(size) + " at " + std::to_string(bits));
    }
    EXPECT_EQ(sizes, (Rows{"32 at 24", "48 at 32", "128 at 32", "256 at 32"}));
    FreeLibrary(program);
}

TEST(Win32Window, OpensAsDesignedAtAFirstStart) {
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    ProgramWindow program;
    HWND window = program.window();

    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 536);
    EXPECT_EQ(client.bottom, 580);
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX)) << "the size is fixed";
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_EQ(TextOf(window), "Quorvane");

    for (const ControlLayout& c : Form1Layout()) {
        SCOPED_TRACE(c.name);
        HWND control = program.control(c.control);
        ASSERT_TRUE(control);
        const RECT at = RectInWindow(control, window);
        const PixelRect designed = PixelRectInWindow(c.control);
        EXPECT_EQ(at.left, designed.left);
        EXPECT_EQ(at.top, designed.top);
        EXPECT_EQ(at.right - at.left, designed.width);
        EXPECT_EQ(at.bottom - at.top, designed.height);
        if (c.caption) {
            EXPECT_EQ(TextOf(control), c.caption);
        }
        EXPECT_TRUE(IsWindowEnabled(control));
    }

    // The keyboard starts on the list. The dialog manager tabs down the stack of controls,
    // which is the design's tab order above the frames; of each group of options it visits
    // the checked one.
    EXPECT_EQ(program.focus(), program.control(Control::ListView1));
    Rows order;
    for (HWND at = GetWindow(window, GW_CHILD); at; at = GetWindow(at, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(at) - Form1Window::kFirstControlId;
        if (id < 0 || LayoutOf(static_cast<Control>(id)).kind == ControlKind::Frame) continue;
        order.push_back(LayoutOf(static_cast<Control>(id)).name);
    }
    Rows expected;
    for (const Control control : TabOrder())
        expected.push_back(LayoutOf(control).name);
    EXPECT_EQ(order, expected);
    EXPECT_EQ(GetNextDlgTabItem(window, program.control(Control::ListView1), FALSE),
              program.control(Control::Drive1))
        << "Tab skips the options that are not checked";

    HWND list = program.control(Control::ListView1);
    EXPECT_TRUE(GetWindowLongW(list, GWL_STYLE) & LVS_OWNERDATA) << "a virtual list";
    EXPECT_EQ(Header_GetItemCount(ListView_GetHeader(list)), 1);
    EXPECT_EQ(ListView_GetColumnWidth(list, 0), 466);

    // The restored choices of a first start.
    EXPECT_EQ(SendMessageW(program.control(Control::Option5), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(program.control(Control::Option8), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(TextOf(program.control(Control::Text1)).ends_with("\\Desktop\\"));
    EXPECT_EQ(TextOf(program.control(Control::Text2)), "3");

    // The pointer off the window, which would light up the button under it, and time for the
    // screen to show the last paint.
    SetCursorPos(0, 0);
    Sleep(500);
    EXPECT_TRUE(SaveWindowPicture(window, BesideThisTest(L"window-windows.png")));
    EXPECT_EQ(program.close(), 0);
}

TEST(Win32Window, FolderOnTheCommandLineIsTheTarget) {
    MakeFolders("D:\\Given");
    ProgramWindow program(L"D:\\Given\\..\\Given");
    EXPECT_EQ(TextOf(program.control(Control::Text1)), "D:\\Given");
    EXPECT_EQ(SendMessageW(program.control(Control::Option5), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(program.close(), 0);
}

TEST(Win32Window, AUserListsADriveThenPrunesSavesAndCopiesTheList) {
    // The scratch drive d: holds a tree of three levels and a hidden folder.
    for (const std::string& name : ListedNames("D:\\")) {
        if (name != ".windows-label") RemoveTree("D:\\" + name);
    }
    MakeFolders("D:\\Alpha\\Beta\\Gamma");
    MakeFolders("D:\\Delta\\Epsilon");
    MakeFolder("D:\\Zeta");
    MakeFolders("D:\\Hidden\\Inside");
    SetAttributes("D:\\Hidden", FILE_ATTRIBUTE_HIDDEN);
    const Rows levelsOneAndTwo = ExpectedEntries("d:\\", 2);
    ASSERT_EQ(levelsOneAndTwo.size(), 5u);

    ProgramWindow program;
    // Look at this drive: d:, levels 1 and 2.
    SendMessageW(program.control(Control::Option4), BM_CLICK, 0, 0);
    HWND drives = program.control(Control::Drive1);
    const auto scratch = SendMessageW(drives, CB_FINDSTRING, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(L"d:"));
    ASSERT_NE(scratch, CB_ERR);
    SendMessageW(drives, CB_SETCURSEL, static_cast<WPARAM>(scratch), 0);
    SendMessageW(program.control(Control::Option6), BM_CLICK, 0, 0);
    SetWindowTextW(program.control(Control::Text2), L"2");
    EXPECT_EQ(SendMessageW(program.control(Control::Option8), BM_GETCHECK, 0, 0), BST_UNCHECKED);

    // Enter in the folder box starts the list, as "Start Creating List" does.
    HWND folderBox = program.control(Control::Text1);
    PostMessageW(program.window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(folderBox), TRUE);
    PostMessageW(folderBox, WM_KEYDOWN, VK_RETURN, 1);
    const ProgramWindow::Message done = program.answerMessage();
    EXPECT_EQ(done.text, "Done.");
    EXPECT_EQ(done.title, "Quorvane");
    EXPECT_FALSE(done.warningIcon);
    EXPECT_EQ(program.rows(), levelsOneAndTwo);

    // The text file, through the common save dialog.
    TempFolder folder;
    const std::string file = folder / "results.txt";
    program.click(Control::PushButton2);
    HWND save = program.nextBox();
    ASSERT_TRUE(save);
    EXPECT_EQ(TextOf(save), "Save");
    HWND name = GetDlgItem(save, 0x47C);  // the file name box: cmb13, or edt1 in older dialogs
    if (!name) name = GetDlgItem(save, 0x480);
    ASSERT_TRUE(name);
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(file).c_str()));
    program.press(save, IDOK);
    EXPECT_EQ(program.answerMessage().text, "Done.");
    EXPECT_EQ(ReadFile(file), ResultsTextFileBytes(ListOf(levelsOneAndTwo)));

    // The clipboard: each path padded to the longest, TAB, CR LF.
    program.click(Control::PushButton7);
    EXPECT_EQ(program.answerMessage().text,
              "Results have been copied to the clipboard.\r\r"
              "Click a text area where you normally type and press Ctrl+V to paste the "
              "clipboard.");
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const std::wstring copied = data ? static_cast<const wchar_t*>(GlobalLock(data)) : L"";
    if (data) GlobalUnlock(data);
    CloseClipboard();
    EXPECT_EQ(Narrow(copied), ResultsClipboardText(ListOf(levelsOneAndTwo)));

    // No program takes workbooks here: the two messages and nothing else.
    program.click(Control::PushButton4);
    EXPECT_EQ(program.answerMessage().text,
              "Excel is not installed on this computer. You need to have it installed to use "
              "this software without error.");
    EXPECT_EQ(program.answerMessage().text,
              "Excel is not installed on this computer. You need to have it installed to use "
              "this feature.");

    // Removing the entries that contain a text, through the input box.
    program.click(Control::PushButton19);
    HWND input = program.nextBox();
    ASSERT_TRUE(input);
    EXPECT_EQ(TextOf(input), "Quorvane");
    EXPECT_EQ(TextOf(GetDlgItem(input, kInputBoxPrompt)), "Remove entries containing: ");
    SetDlgItemTextW(input, kInputBoxEntry, L"ALPHA");
    program.press(input, IDOK);
    Rows pruned;
    for (const std::string& row : levelsOneAndTwo) {
        if (row.find("Alpha") == std::string::npos) pruned.push_back(row);
    }
    EXPECT_EQ(program.rowsOnceThereAre(pruned.size()), pruned);

    // The Delete key and a double-click each remove the entry they are on.
    program.selectRow(0);
    PostMessageW(program.control(Control::ListView1), WM_KEYDOWN, VK_DELETE, 0);
    pruned.erase(pruned.begin());
    EXPECT_EQ(program.rowsOnceThereAre(pruned.size()), pruned);
    const POINT row = program.rowCentre(0);
    const LPARAM at = MAKELPARAM(row.x, row.y);
    HWND list = program.control(Control::ListView1);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
    PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
    pruned.erase(pruned.begin());
    EXPECT_EQ(program.rowsOnceThereAre(pruned.size()), pruned);

    // A depth entry that is no number is refused once the focus leaves it.
    HWND depth = program.control(Control::Text2);
    SetWindowTextW(depth, L"abc");
    PostMessageW(program.window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(depth), TRUE);
    PostMessageW(program.window(), WM_NEXTDLGCTL,
                 reinterpret_cast<WPARAM>(program.control(Control::Text1)), TRUE);
    const ProgramWindow::Message refused = program.answerMessage();
    EXPECT_EQ(refused.text, "Must be a numeric entry.");
    EXPECT_EQ(refused.title, "Quorvane");
    EXPECT_EQ(program.focus(), depth);
    DWORD start = 1, end = 0;
    SendMessageW(depth, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 3u);
    SetWindowTextW(depth, L"2");

    // The folder browser, cancelled, changes nothing.
    const std::string folderBefore = TextOf(program.control(Control::Text1));
    program.click(Control::PushButton5);
    HWND browser = program.nextBox();
    ASSERT_TRUE(browser);
    program.press(browser, IDCANCEL);
    EXPECT_EQ(TextOf(program.control(Control::Text1)), folderBefore);

    // Alt and the marked letter of a caption press its control; "?" has Alt+Q of its own.
    PostMessageW(program.control(Control::ListView1), WM_SYSCHAR, 'h', 1 << 29);
    const ProgramWindow::Message help = program.answerMessage();
    EXPECT_EQ(help.text, GeneralHelpText());
    EXPECT_EQ(help.title, "Quorvane");
    PostMessageW(program.control(Control::ListView1), WM_SYSKEYDOWN, 'Q', 1 << 29);
    EXPECT_TRUE(program.answerMessage().text.starts_with("If depth = 1 then"));

    // The sample folder beside the program, which lies in the root of p:, so the path has two
    // separators in a row; the run reads it all the same.
    const std::string programFolder = Narrow(BesideThisTest(L""));
    ASSERT_EQ(programFolder.size(), 3u) << programFolder;
    program.click(Control::PushButton8);
    program.settle();
    EXPECT_EQ(TextOf(program.control(Control::Text1)), programFolder + "\\Samples");
    EXPECT_EQ(SendMessageW(program.control(Control::Option5), BM_GETCHECK, 0, 0), BST_CHECKED);
    program.click(Control::PushButton1);
    EXPECT_EQ(program.answerMessage().text, "Done.");
    const Rows samples = ExpectedEntries(programFolder + "Samples\\", 2);
    EXPECT_FALSE(samples.empty());
    EXPECT_EQ(program.rows(), samples);

    // Closing removes the scratch file and ends the program.
    MakeFile("C:\\vrn.txt", "scratch");
    SetAttributes("C:\\vrn.txt", FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(program.close(), 0);
    EXPECT_EQ(GetFileAttributesW(L"C:\\vrn.txt"), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace quorvane::test
