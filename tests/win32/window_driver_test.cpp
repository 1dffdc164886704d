// quorvane.exe driven from outside on a display of its own: its window as designed, then a
// user's session (a drive listed, the list pruned, saved and copied, the depth entry refused,
// help read) and the close. scripts: tests/win32/window_test.sh runs it in a Wine of its own
// and then reads the settings the session left in the registry.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <thread>

#include "form/help_texts.h"
#include "program_window.h"
#include "results/clipboard_text.h"
#include "results/text_file_export.h"
#include "screen_picture.h"
#include "support/expected_walk.h"
#include "support/fixture_tree.h"
#include "support/temp_folder.h"
#include "support/text_contrast.h"
#include "support/wide_text.h"
#include "win32/form1_window.h"
#include "win32/input_box.h"

namespace quorvane::test {
namespace {

using Rows = std::vector<std::string>;

constexpr wchar_t kSettingsKey[] = L"Software\\VB and VBA Program Settings\\Brindlework\\Quorvane";

// A window's text, asked of the window itself: for a control of another process the system
// keeps none.
// Whether `condition` comes true within `patience`.
template <typename Condition>
bool Within(std::chrono::milliseconds patience, Condition condition) {
    const auto until = std::chrono::steady_clock::now() + patience;
    do {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } while (std::chrono::steady_clock::now() < until);
    return false;
}

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

// Whether `holds` comes true within a few seconds: what is posted to the program is handled
// in its own time.
template <typename Condition>
bool Eventually(Condition holds) {
    for (int wait = 0; wait < 200 && !holds(); ++wait)
        Sleep(25);
    return holds();
}

// A control's rectangle in the picture of its window, whose frame's corner is 0,0.
RECT InPicture(HWND control, HWND window) {
    RECT rect{}, frame{};
    GetWindowRect(control, &rect);
    GetWindowRect(window, &frame);
    OffsetRect(&rect, -frame.left, -frame.top);
    return rect;
}

// Where a control shows its words in the picture of its window: beside an option's circle,
// along a frame's top edge where its caption stands, inside the border of anything else.
RECT WordsOf(Control id, HWND control, HWND window) {
    RECT rect = InPicture(control, window);
    switch (LayoutOf(id).kind) {
        case ControlKind::Option:
            rect.left += 16;
            break;
        case ControlKind::Frame:
            rect = {rect.left + 8, rect.top, rect.left + 68, rect.top + 13};
            break;
        default:
            InflateRect(&rect, -4, -4);
            break;
    }
    return rect;
}

// The usual weight of the strokes of a text on white: the median of the ink (how dark each
// pixel is) summed along each run of inked pixels of a row. Bold is 1.5 pixels or more at the
// window's sizes, crisp (2) or smoothed (1.8); regular 1.
double StrokeWeight(const WindowPicture& picture, const RECT& area) {
    std::vector<double> runs;
    for (int y = area.top; y < area.bottom; ++y) {
        double run = 0;
        for (int x = area.left; x <= area.right; ++x) {
            const double ink =
                x < area.right ? 1 - test::Luminance(
                                         picture.pixels[static_cast<size_t>(y) * picture.width + x])
                               : 0;
            if (ink > 0.1) {
                run += ink;
            } else if (run > 0) {
                runs.push_back(run);
                run = 0;
            }
        }
    }
    if (runs.empty()) return 0;
    std::nth_element(runs.begin(), runs.begin() + runs.size() / 2, runs.end());
    return runs[runs.size() / 2];
}

// The ink (how dark each pixel is, summed) that the outlines of `text` in Arial 9 pt bold
// carry at 96 dpi, smoothed without hints as the Qt window draws them: the text drawn eight
// times as large without smoothing, each 8 x 8 block one pixel of that coverage, laid over white
// in the screen's values. Whichever font stands in for Arial, its own outlines are the measure.
double OutlineInk(const std::string& text) {
    const std::wstring wide = Wide(text);
    HFONT font = CreateFontW(-12 * 8, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                             DEFAULT_PITCH | FF_SWISS, L"Arial");
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
    const int width = (extent.cx / 8 + 2) * 8, height = (extent.cy / 8 + 2) * 8;
    BITMAPINFO format{};
    format.bmiHeader = {sizeof format.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldPicture = SelectObject(dc, picture);
    const RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, 8, 8, wide.c_str(), static_cast<int>(wide.size()));
    GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    double ink = 0;
    for (int y = 0; y < height; y += 8) {
        for (int x = 0; x < width; x += 8) {
            int covered = 0;
            for (int dy = 0; dy < 8; ++dy)
                for (int dx = 0; dx < 8; ++dx)
                    covered += (pixels[(y + dy) * width + x + dx] & 0xff) < 128;
            const std::uint32_t grey = 255 - covered * 255 / 64;
            ink += 1 - test::Luminance(grey << 16 | grey << 8 | grey);
        }
    }
    SelectObject(dc, oldPicture);
    SelectObject(dc, oldFont);
    DeleteObject(picture);
    DeleteObject(font);
    DeleteDC(dc);
    return ink;
}

double InkOf(const std::vector<std::uint32_t>& pixels) {
    double ink = 0;
    for (const std::uint32_t pixel : pixels)
        ink += 1 - test::Luminance(pixel);
    return ink;
}

// Sets Windows' keyboard cues setting (underline the Alt letters always) for the life of the
// object. Windows leaves it off unless the user turns it on; Wine has it on.
class KeyboardCues {
  public:
    explicit KeyboardCues(bool always) {
        SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &before_, 0);
        set(always);
    }
    ~KeyboardCues() { set(before_); }

  private:
    // Stored in the settings of the test's own Wine, so that the program started next reads it.
    static void set(BOOL always) {
        SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<void*>(INT_PTR{always}),
                              SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
    }
    BOOL before_ = FALSE;
};

// A dark colour scheme, light text on dark surfaces, for the life of the object. Windows'
// dark schemes are its high-contrast ones, which turn the visual styles off, so that every
// control draws in the system's colours; Wine keeps its visual style (on in a new Wine) under
// any colours the user picks.
class DarkColours {
  public:
    explicit DarkColours(bool visualStyles) {
        const COLORREF surface = RGB(45, 45, 48), field = RGB(30, 30, 30),
                       text = RGB(230, 230, 230);
        const COLORREF colours[] = {field, text, surface, text, RGB(38, 79, 120), text};
        for (const INT element : kElements)
            before_.push_back(GetSysColor(element));
        SetSysColors(std::size(kElements), kElements, colours);
        setVisualStyles(visualStyles);
    }
    ~DarkColours() {
        SetSysColors(std::size(kElements), kElements, before_.data());
        setVisualStyles(true);
    }

  private:
    static constexpr INT kElements[] = {COLOR_WINDOW,  COLOR_WINDOWTEXT, COLOR_BTNFACE,
                                        COLOR_BTNTEXT, COLOR_HIGHLIGHT,  COLOR_HIGHLIGHTTEXT};
    static void setVisualStyles(bool on) {
        RegSetKeyValueW(HKEY_CURRENT_USER,
                        L"Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager",
                        L"ThemeActive", REG_SZ, on ? L"1" : L"0", 2 * sizeof(wchar_t));
    }
    std::vector<COLORREF> before_;
};

FolderList ListOf(const Rows& rows) {
    FolderList list;
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
    const KeyboardCues asWindowsShipsIt(false);
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
            // No mark of an Alt letter until Alt is held.
            EXPECT_EQ(TextOf(control), CaptionWithoutMnemonic(c.caption));
        }
        EXPECT_TRUE(IsWindowEnabled(control));
    }

    // The keyboard starts on the list. The dialog manager tabs down the stack of controls,
    // which is the design's tab order above the frames; of each group of options it visits
    // the checked one.
    EXPECT_EQ(program.focus(), program.control(Control::ResultsView));
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
    EXPECT_EQ(GetNextDlgTabItem(window, program.control(Control::ResultsView), FALSE),
              program.control(Control::DriveList))
        << "Tab skips the options that are not checked";

    HWND list = program.control(Control::ResultsView);
    EXPECT_TRUE(GetWindowLongW(list, GWL_STYLE) & LVS_OWNERDATA) << "a virtual list";
    EXPECT_EQ(Header_GetItemCount(ListView_GetHeader(list)), 1);
    EXPECT_EQ(ListView_GetColumnWidth(list, 0), 466);

    // The restored choices of a first start.
    EXPECT_EQ(SendMessageW(program.control(Control::FolderOption), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(program.control(Control::AllSubfoldersOption), BM_GETCHECK, 0, 0),
              BST_CHECKED);
    EXPECT_TRUE(TextOf(program.control(Control::FolderBox)).ends_with("\\Desktop\\"));
    EXPECT_EQ(TextOf(program.control(Control::DepthBox)), "3");

    // The pointer off the window, which would light up the button under it, and time for the
    // screen to show the last paint.
    SetCursorPos(0, 0);
    Sleep(500);
    const WindowPicture picture = TakeWindowPicture(window);
    EXPECT_TRUE(SavePicture(picture, BesideThisTest(L"window-windows.png")));

    // Arial 9 pt bold, as designed, for the controls without a font of their own: their
    // strokes are as wide as the push buttons' in the picture.
    for (const Control id :
         {Control::FolderOption, Control::AllSubfoldersOption, Control::TargetFrame,
          Control::DepthFrame, Control::FolderBox, Control::ResultsView, Control::StartButton}) {
        EXPECT_GE(StrokeWeight(picture, WordsOf(id, program.control(id), window)), 1.5)
            << LayoutOf(id).name << " is not bold";
    }
    // And as heavy as bold looks in the Qt window, whose smoothing keeps the ink of the
    // outlines, which a stand-in's hints may take away.
    for (const Control id :
         {Control::FolderOption, Control::DriveOption, Control::EntireComputerOption,
          Control::AllSubfoldersOption, Control::FirstSubfoldersOption}) {
        const double drawn = InkOf(picture.pixelsOf(WordsOf(id, program.control(id), window)));
        EXPECT_GE(drawn, 0.9 * OutlineInk(TextOf(program.control(id))))
            << LayoutOf(id).name << " carries too little ink";
    }
    EXPECT_EQ(program.close(), 0);
}

TEST(Win32Window, AltLettersAreUnderlinedOnlyWhileAltIsHeld) {
    for (const bool always : {false, true}) {
        SCOPED_TRACE(always ? "keyboard cues always on" : "keyboard cues as Windows ships them");
        const KeyboardCues cues(always);
        ProgramWindow program;
        HWND start = program.control(Control::StartButton);
        const auto marked = [&] { return TextOf(start) == "&Start Creating List"; };
        const auto picture = [&] {
            program.settle();
            Sleep(300);
            return TakeWindowPicture(program.window()).pixelsOf(InPicture(start, program.window()));
        };
        EXPECT_EQ(marked(), always);
        const std::vector<std::uint32_t> before = picture();

        // Alt held down (repeating, so that letting it go opens no menu), then let go.
        HWND list = program.control(Control::ResultsView);
        PostMessageW(list, WM_SYSKEYDOWN, VK_MENU, 0x60000001);
        EXPECT_TRUE(Eventually(marked));
        const std::vector<std::uint32_t> held = picture();
        PostMessageW(list, WM_KEYUP, VK_MENU, static_cast<LPARAM>(0xC0000001u));
        EXPECT_TRUE(Eventually([&] { return marked() == always; }));
        const std::vector<std::uint32_t> released = picture();

        EXPECT_EQ(held != before, !always) << "the picture shows the underline come and go";
        EXPECT_EQ(released, before);
        EXPECT_EQ(program.close(), 0);
    }
}

TEST(Win32Window, ArrowKeysGoFromOptionToOptionOfAFrame) {
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    ProgramWindow program;
    HWND window = program.window();
    const auto checked = [&](Control option) {
        return SendMessageW(program.control(option), BM_GETCHECK, 0, 0) == BST_CHECKED;
    };

    // The dialog manager's groups: a frame's options together, any other control alone.
    const auto groupOf = [&](Control first) {
        Rows names;
        HWND at = program.control(first);
        do {
            names.push_back(
                LayoutOf(static_cast<Control>(GetDlgCtrlID(at) - Form1Window::kFirstControlId))
                    .name);
            at = GetNextDlgGroupItem(window, at, FALSE);
        } while (at && at != program.control(first) && names.size() < 10);
        return names;
    };
    EXPECT_EQ(groupOf(Control::EntireComputerOption),
              (Rows{"Option3", "Option4", "Drive1", "Option5"}));
    EXPECT_EQ(groupOf(Control::AllSubfoldersOption), (Rows{"Option8", "Option7", "Option6"}));
    EXPECT_EQ(groupOf(Control::StartButton), (Rows{"PushButton1"}));
    EXPECT_EQ(groupOf(Control::DepthBox), (Rows{"Text2"}));

    // Down and right go to the option below, up and left to the one above, around the frame;
    // the option reached is chosen, and the other frame's choice stays.
    struct Step {
        Control from;
        WPARAM key;
        Control to;
    };
    const Step steps[] = {
        {Control::FolderOption, VK_DOWN, Control::DriveOption},
        {Control::DriveOption, VK_RIGHT, Control::EntireComputerOption},
        {Control::EntireComputerOption, VK_DOWN, Control::FolderOption},
        {Control::FolderOption, VK_UP, Control::EntireComputerOption},
        {Control::EntireComputerOption, VK_LEFT, Control::DriveOption},
        {Control::AllSubfoldersOption, VK_DOWN, Control::FirstSubfoldersOption},
        {Control::FirstSubfoldersOption, VK_DOWN, Control::LimitDepthOption},
        {Control::LimitDepthOption, VK_UP, Control::FirstSubfoldersOption},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(std::string(LayoutOf(step.from).name) + " to " + LayoutOf(step.to).name);
        PostMessageW(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(program.control(step.from)),
                     TRUE);
        PostMessageW(program.control(step.from), WM_KEYDOWN, step.key, 1);
        EXPECT_TRUE(Eventually([&] { return program.focus() == program.control(step.to); }));
        EXPECT_TRUE(Eventually([&] { return checked(step.to); }));
        EXPECT_FALSE(checked(step.from));
    }
    EXPECT_TRUE(checked(Control::DriveOption)) << "the target frame kept its choice";
    EXPECT_EQ(program.close(), 0);
}

TEST(Win32Window, EveryTextStandsOutFromItsBackgroundUnderADarkColourScheme) {
    for (const bool visualStyles : {false, true}) {
        SCOPED_TRACE(visualStyles ? "with the visual style, as Wine" : "as Windows' schemes");
        const DarkColours dark(visualStyles);
        ProgramWindow program;
        HWND window = program.window();
        SetCursorPos(0, 0);
        program.settle();
        Sleep(500);
        const WindowPicture picture = TakeWindowPicture(window);
        EXPECT_TRUE(SavePicture(picture, BesideThisTest(visualStyles ? L"window-windows-dark.png"
                                                                     : L"window-windows-hc.png")));
        for (const ControlLayout& c : Form1Layout()) {
            // The empty list shows words only in its heading: "Results" at its left, away from
            // the lines of the heading's edges and of its column's end.
            RECT words{};
            if (c.control == Control::ResultsView) {
                words = InPicture(ListView_GetHeader(program.control(c.control)), window);
                words = {words.left + 2, words.top + 2, words.left + 62, words.bottom - 2};
            } else {
                words = WordsOf(c.control, program.control(c.control), window);
            }
            EXPECT_GE(test::TextContrast(picture.pixelsOf(words)), 4.5) << c.name;
        }
        EXPECT_EQ(program.close(), 0);
    }
}

// The selected entry's text on its highlight, with the list focused and not, in Wine's own
// colours and under a dark scheme with the visual style and without it.
TEST(Win32Window, SelectedEntryStandsOutFromItsHighlightUnderEveryColourScheme) {
    test::TempFolder folder;
    test::MakeFolder(folder / "first entry");
    test::MakeFolder(folder / "second entry");
    for (const int scheme : {0, 1, 2}) {
        SCOPED_TRACE(scheme == 0 ? "Wine's colours" : scheme == 1 ? "dark, visual style" : "dark");
        std::optional<DarkColours> dark;
        if (scheme > 0) dark.emplace(scheme == 1);
        ProgramWindow program(Wide(folder.path()));
        program.click(Control::StartButton);
        EXPECT_EQ(program.answerMessage().text, "Done.");
        ASSERT_EQ(program.rowsOnceThereAre(2).size(), 2u);
        HWND list = program.control(Control::ResultsView);
        HWND window = program.window();
        program.selectRow(0);
        const auto rowPixels = [&](HWND focus) {
            PostMessageW(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
            SetCursorPos(0, 0);
            program.settle();
            Sleep(300);
            const RECT at = InPicture(list, window);
            const POINT centre = program.rowCentre(0);
            const RECT words{at.left + 6, at.top + centre.y - 4, at.left + 120,
                             at.top + centre.y + 5};
            return TakeWindowPicture(window).pixelsOf(words);
        };
        EXPECT_GE(test::TextContrast(rowPixels(list)), 4.5) << "the list focused";
        EXPECT_GE(test::TextContrast(rowPixels(program.control(Control::FolderBox))), 4.5)
            << "the list not focused";
        EXPECT_EQ(program.close(), 0);
    }
}

// Where the screen holds the window, it opens whole. Where it does not (a small screen at a
// high dpi; window_test.sh shows it at 192 dpi on 1024 x 768), the window lies within the work
// area and scrolls: its bars reach either end, and Tab scrolls each control it reaches into
// view, as far as the window holds the control.
TEST(Win32Window, EveryControlCanBeReachedWhereTheScreenIsTooSmall) {
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    ProgramWindow program;
    HWND window = program.window();
    int dpi = kDesignDpi;
    if (HDC screen = GetDC(nullptr)) {
        dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    RECT work{}, frame{}, inside{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(window, &frame);
    EXPECT_TRUE(IntersectRect(&inside, &frame, &work) && EqualRect(&inside, &frame));
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    RECT whole{0, 0, PixelsFromTwips(kFormClientWidth, dpi),
               PixelsFromTwips(kFormClientHeight, dpi)};
    AdjustWindowRectEx(&whole, static_cast<DWORD>(style & ~(WS_VSCROLL | WS_HSCROLL)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)));
    const bool fits = whole.right - whole.left <= work.right - work.left &&
                      whole.bottom - whole.top <= work.bottom - work.top;
    EXPECT_EQ(fits, !(style & (WS_VSCROLL | WS_HSCROLL))) << "at " << dpi << " dpi";
    if (fits) {
        EXPECT_EQ(program.close(), 0);
        return;
    }

    RECT client{};
    GetClientRect(window, &client);
    // Each edge within the window, or the near edge at the window's, for a control larger than
    // the window.
    const auto shows = [&](HWND control) {
        const RECT at = RectInWindow(control, window);
        return at.left >= 0 && at.top >= 0 && (at.right <= client.right || at.left == 0) &&
               (at.bottom <= client.bottom || at.top == 0);
    };
    const auto placeOf = [&](const ControlLayout& c) {
        const RECT at = RectInWindow(program.control(c.control), window);
        return PixelRect{at.left, at.top, at.right - at.left, at.bottom - at.top};
    };
    const auto farthest = [&](auto edge) {
        const auto layout = Form1Layout();
        return std::max_element(layout.begin(), layout.end(),
                                [&](const auto& a, const auto& b) {
                                    return edge(PixelRectInWindow(a.control, dpi)) <
                                           edge(PixelRectInWindow(b.control, dpi));
                                })
            ->control;
    };
    const Control lowest = farthest([](const PixelRect& r) { return r.top + r.height; });
    const Control rightmost = farthest([](const PixelRect& r) { return r.left + r.width; });

    SendNotifyMessageW(window, WM_VSCROLL, SB_BOTTOM, 0);
    SendNotifyMessageW(window, WM_HSCROLL, SB_RIGHT, 0);
    program.settle();
    const RECT low = RectInWindow(program.control(lowest), window);
    const RECT right = RectInWindow(program.control(rightmost), window);
    EXPECT_TRUE(low.bottom > 0 && low.bottom <= client.bottom) << LayoutOf(lowest).name;
    EXPECT_TRUE(right.right > 0 && right.right <= client.right) << LayoutOf(rightmost).name;
    SendNotifyMessageW(window, WM_VSCROLL, SB_TOP, 0);
    SendNotifyMessageW(window, WM_HSCROLL, SB_LEFT, 0);
    program.settle();
    for (const ControlLayout& c : Form1Layout())
        EXPECT_EQ(placeOf(c), PixelRectInWindow(c.control, dpi)) << c.name;

    SendNotifyMessageW(window, WM_VSCROLL, SB_BOTTOM, 0);
    program.settle();
    for (size_t press = 0; press < TabOrder().size(); ++press) {
        HWND from = program.focus();
        PostMessageW(from, WM_KEYDOWN, VK_TAB, 1);
        ASSERT_TRUE(Eventually([&] { return program.focus() != from; }));
        HWND to = program.focus();
        program.settle();
        EXPECT_TRUE(shows(to))
            << LayoutOf(static_cast<Control>(GetDlgCtrlID(to) - Form1Window::kFirstControlId)).name;
    }
    EXPECT_EQ(program.close(), 0);
}

TEST(Win32Window, FolderOnTheCommandLineIsTheTarget) {
    MakeFolders("D:\\Given");
    ProgramWindow program(L"D:\\Given\\..\\Given");
    EXPECT_EQ(TextOf(program.control(Control::FolderBox)), "D:\\Given");
    EXPECT_EQ(SendMessageW(program.control(Control::FolderOption), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(program.close(), 0);
}

// Escape stops a run that Wine takes a second or so over: the list keeps the beginning of the
// whole list and no "Done." comes.
TEST(Win32Window, EscapeStopsARunKeepingTheBeginningOfTheList) {
    const std::string root = "D:\\Long";
    for (int a = 0; a < 20; ++a) {
        for (int b = 0; b < 20; ++b) {
            for (int c = 0; c < 10; ++c)
                MakeFolders(root + "\\" + std::to_string(a) + "\\" + std::to_string(b) + "\\" +
                            std::to_string(c));
        }
    }
    const Rows whole = ExpectedEntries(root + "\\");
    ProgramWindow program(Wide(root));
    SendMessageW(program.control(Control::AllSubfoldersOption), BM_CLICK, 0, 0);
    program.click(Control::StartButton);
    HWND list = program.control(Control::ResultsView);
    ASSERT_TRUE(Within(std::chrono::seconds(60), [&] { return ListView_GetItemCount(list) > 0; }));
    PostMessageW(list, WM_KEYDOWN, VK_ESCAPE, 1);
    program.settle();
    EXPECT_FALSE(Within(std::chrono::seconds(2), [&] { return program.boxShown(); }))
        << "a stopped run shows no message";
    const Rows kept = program.rows();
    ASSERT_LT(kept.size(), whole.size()) << "the run ended before Escape";
    EXPECT_TRUE(std::equal(kept.begin(), kept.end(), whole.begin()));
    EXPECT_EQ(program.close(), 0);
    RemoveTree(root);
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
    SendMessageW(program.control(Control::DriveOption), BM_CLICK, 0, 0);
    HWND drives = program.control(Control::DriveList);
    const auto scratch = SendMessageW(drives, CB_FINDSTRING, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(L"d:"));
    ASSERT_NE(scratch, CB_ERR);
    SendMessageW(drives, CB_SETCURSEL, static_cast<WPARAM>(scratch), 0);
    SendMessageW(program.control(Control::LimitDepthOption), BM_CLICK, 0, 0);
    SetWindowTextW(program.control(Control::DepthBox), L"2");
    EXPECT_EQ(SendMessageW(program.control(Control::AllSubfoldersOption), BM_GETCHECK, 0, 0),
              BST_UNCHECKED);

    // Enter in the folder box starts the list, as "Start Creating List" does.
    HWND folderBox = program.control(Control::FolderBox);
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
    program.click(Control::SaveTextFileButton);
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
    program.click(Control::CopyButton);
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
    program.click(Control::SaveExcelFileButton);
    EXPECT_EQ(program.answerMessage().text,
              "Excel is not installed on this computer. You need to have it installed to use "
              "this software without error.");
    EXPECT_EQ(program.answerMessage().text,
              "Excel is not installed on this computer. You need to have it installed to use "
              "this feature.");

    // Removing the entries that contain a text, through the input box.
    program.click(Control::RemoveContainingButton);
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

    // The Delete key and a double-click each remove the entry they are on. After Delete the
    // next entry is the selected one, so a second Delete removes it.
    program.selectRow(0);
    for (int press = 0; press < 2; ++press) {
        PostMessageW(program.control(Control::ResultsView), WM_KEYDOWN, VK_DELETE, 0);
        pruned.erase(pruned.begin());
        EXPECT_EQ(program.rowsOnceThereAre(pruned.size()), pruned);
    }
    const POINT row = program.rowCentre(0);
    const LPARAM at = MAKELPARAM(row.x, row.y);
    HWND list = program.control(Control::ResultsView);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
    PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
    pruned.erase(pruned.begin());
    EXPECT_EQ(program.rowsOnceThereAre(pruned.size()), pruned);

    // A depth entry that is no number is refused once the focus leaves it.
    HWND depth = program.control(Control::DepthBox);
    SetWindowTextW(depth, L"abc");
    PostMessageW(program.window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(depth), TRUE);
    PostMessageW(program.window(), WM_NEXTDLGCTL,
                 reinterpret_cast<WPARAM>(program.control(Control::FolderBox)), TRUE);
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
    const std::string folderBefore = TextOf(program.control(Control::FolderBox));
    program.click(Control::BrowseButton);
    HWND browser = program.nextBox();
    ASSERT_TRUE(browser);
    program.press(browser, IDCANCEL);
    EXPECT_EQ(TextOf(program.control(Control::FolderBox)), folderBefore);

    // Alt and the marked letter of a caption press its control; "?" has Alt+Q of its own.
    PostMessageW(program.control(Control::ResultsView), WM_SYSCHAR, 'h', 1 << 29);
    const ProgramWindow::Message help = program.answerMessage();
    EXPECT_EQ(help.text, GeneralHelpText());
    EXPECT_EQ(help.title, "Quorvane");
    PostMessageW(program.control(Control::ResultsView), WM_SYSKEYDOWN, 'Q', 1 << 29);
    EXPECT_TRUE(program.answerMessage().text.starts_with("If depth = 1 then"));

    // The sample folder beside the program, which lies in the root of p:, so the path has two
    // separators in a row; the run reads it all the same.
    const std::string programFolder = Narrow(BesideThisTest(L""));
    ASSERT_EQ(programFolder.size(), 3u) << programFolder;
    program.click(Control::SampleButton);
    program.settle();
    EXPECT_EQ(TextOf(program.control(Control::FolderBox)), programFolder + "\\Samples");
    EXPECT_EQ(SendMessageW(program.control(Control::FolderOption), BM_GETCHECK, 0, 0), BST_CHECKED);
    program.click(Control::StartButton);
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
