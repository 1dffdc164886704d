#include "win32/form1_window.h"

#include <windows.h>

#include <commctrl.h>
#include <initguid.h>
#include <oleacc.h>
#include <uxtheme.h>

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <stdexcept>
#include <vector>

#include "win32/program_resources.h"
#include "win32/text_weight.h"
#include "win32/wide_text.h"

namespace quorvane {

namespace {

constexpr DWORD kWindowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr COLORREF kWhite = RGB(255, 255, 255);
// Room below the drive list's field for its drop-down list.
constexpr int kDropDownPixels = 200;

// The window class and styles that show a kind of control.
struct ControlClass {
    const wchar_t* name;
    DWORD style;
    DWORD extendedStyle;
};

ControlClass ClassOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::Frame:
            return {L"BUTTON", BS_GROUPBOX, 0};
        case ControlKind::Option:
            // Checked by the window itself, so that a click is told as the design has it.
            // The check moves WS_TABSTOP with it, so Tab visits the checked one alone.
            return {L"BUTTON", BS_RADIOBUTTON | WS_TABSTOP, 0};
        case ControlKind::PushButton:
            return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
        case ControlKind::TextBox:
            return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case ControlKind::DriveList:
            return {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
        case ControlKind::ListView:
            return {WC_LISTVIEWW,
                    LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP,
                    WS_EX_CLIENTEDGE};
        case ControlKind::Window:
            break;
    }
    throw std::invalid_argument("the window is no control in it");
}

// The stacking order is the tab order, since the dialog manager tabs down the stack; the
// frames, which take no focus, lie below everything they hold.
std::vector<Control> StackingOrder() {
    std::vector<Control> order = TabOrder();
    for (const ControlLayout& c : Form1Layout()) {
        if (c.kind == ControlKind::Frame) order.push_back(c.control);
    }
    return order;
}

// The empty dialog the controls are made in; it is sized in pixels once it exists.
struct EmptyDialog {
    DLGTEMPLATE header;
    WORD menu, windowClass, title;
};

// Whether the control at `index` of the stacking order starts a group of the dialog manager.
// The option buttons of a frame make one group, which runs from its first option to the
// control after its last (the drive list, which the design's order puts between two options
// of the target frame, lies inside it); every other control is a group of its own, so arrow
// keys stay in it.
bool StartsGroup(const std::vector<Control>& order, size_t index) {
    const ControlLayout& layout = LayoutOf(order[index]);
    for (size_t before = 0; before < index; ++before) {
        const ControlLayout& earlier = LayoutOf(order[before]);
        if (earlier.kind != ControlKind::Option || earlier.container != layout.container) continue;
        // An option of this frame comes earlier: the group goes on while one comes later.
        if (layout.kind == ControlKind::Option) return false;
        for (size_t after = index + 1; after < order.size(); ++after) {
            const ControlLayout& later = LayoutOf(order[after]);
            if (later.kind == ControlKind::Option && later.container == layout.container) {
                return false;
            }
        }
    }
    return true;
}

// Whether a colour is light: text of it is meant for a dark background.
bool IsLight(COLORREF colour) {
    return 299 * GetRValue(colour) + 587 * GetGValue(colour) + 114 * GetBValue(colour) > 128'000;
}

}  // namespace

Form1Window::Form1Window(HINSTANCE instance, const FormServices& services) : instance_(instance) {
    white_ = CreateSolidBrush(kWhite);
    createWindow();
    createControls();
    form_ = std::make_unique<Form1>(*this, services);
    form_->results().setObserver(this);
}

Form1Window::~Form1Window() {
    if (form_) form_->results().setObserver(nullptr);
    if (window_) DestroyWindow(window_);
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(windowFont_), static_cast<HGDIOBJ>(buttonFont_),
                           static_cast<HGDIOBJ>(white_)}) {
        if (object) DeleteObject(object);
    }
    if (mouseIcon_) DestroyCursor(mouseIcon_);
}

int Form1Window::pixels(int twips) const {
    return PixelsFromTwips(twips, dpi_);
}

HFONT Form1Window::createFont(const FontDesign& design) const {
    const int height = -static_cast<int>(std::lround(design.points * dpi_ / 72));
    const auto create = [&](DWORD quality) {
        return CreateFontW(height, 0, 0, 0, design.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                           static_cast<DWORD>(design.characterSet), OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, quality, DEFAULT_PITCH | FF_SWISS,
                           Wide(design.family).c_str());
    };
    // Arial's own table asks for no smoothing from 9 to 16 pixels per em, the sizes of this
    // window, and Windows' standard smoothing draws it so: crisp, its bold stems 2 pixels
    // wide. Only ClearType smooths it. Wine would smooth it anyway, so smoothing is asked for
    // only where ClearType would give it.
    UINT smoothingType = 0;
    SystemParametersInfoW(SPI_GETFONTSMOOTHINGTYPE, 0, &smoothingType, 0);
    if (smoothingType == FE_FONTSMOOTHINGCLEARTYPE) return create(DEFAULT_QUALITY);
    HFONT font = create(NONANTIALIASED_QUALITY);
    // Where a stand-in's hints draw the bold thinner than that (Liberation Sans 2 under Wine
    // draws most bold stems 1 pixel wide at 12 pixels), smoothing may keep more of its ink:
    // the one that draws more is taken, as the pixels tell.
    if (design.bold && font) {
        HFONT smoothed = create(ANTIALIASED_QUALITY);
        if (smoothed && InkShareOf(smoothed) > InkShareOf(font)) std::swap(font, smoothed);
        if (smoothed) DeleteObject(smoothed);
    }
    return font;
}

void Form1Window::createWindow() {
    if (HDC screen = GetDC(nullptr)) {
        dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    EmptyDialog empty{};
    empty.header.style = kWindowStyle;
    window_ = CreateDialogIndirectParamW(instance_, &empty.header, nullptr, DialogProcedure,
                                         reinterpret_cast<LPARAM>(this));
    if (!window_) throw std::runtime_error("the main window cannot be created");
    SetWindowTextW(window_, Wide(kWindowName).c_str());

    // A fixed client area, centred in the screen's work area where it holds the window.
    const int width = pixels(kFormClientWidth);
    const int height = pixels(kFormClientHeight);
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(window_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(window_, GWL_EXSTYLE)));
    SIZE size{frame.right - frame.left, frame.bottom - frame.top};
    SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    // The frame may differ from what AdjustWindowRectEx foresaw: make the client area exact.
    RECT client{};
    GetClientRect(window_, &client);
    size.cx += width - client.right;
    size.cy += height - client.bottom;
    placeWithinWorkArea(size);
}

void Form1Window::createControls() {
    windowFont_ = createFont(kWindowFont);
    buttonFont_ = createFont(kPushButtonFont);
    // Even so a bold font may draw less ink than its outlines carry, which the Qt window's
    // smoothing keeps: its options and frames then strike their captions twice, in part.
    if (kWindowFont.bold) overstrike_ = OverstrikeFor(windowFont_);
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_), FALSE);

    const std::vector<Control> order = StackingOrder();
    HWND above = HWND_TOP;
    for (size_t i = 0; i < order.size(); ++i) {
        HWND created = createControl(LayoutOf(order[i]), StartsGroup(order, i));
        SetWindowPos(created, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        above = created;
    }
    if (overstrike_ > 0) {
        for (const Control frame : {Control::TargetFrame, Control::DepthFrame})
            SetWindowSubclass(control(frame), FrameProcedure, kFrameSubclass,
                              reinterpret_cast<DWORD_PTR>(this));
    }
    fitDriveList();
    setUpResultsView();
    for (const Control choice : kInitialChoice)
        setChecked(choice, true);
    describeControls();
}

HWND Form1Window::createControl(const ControlLayout& layout, bool startsGroup) {
    const ControlClass kind = ClassOf(layout.kind);
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | kind.style;
    if (startsGroup) style |= WS_GROUP;
    const PixelRect at = PixelRectInWindow(layout.control, dpi_);
    const int height = at.height + (layout.kind == ControlKind::DriveList ? kDropDownPixels : 0);
    // The underlines of the Alt letters come with the Alt key (showAccessKeys).
    const std::wstring caption =
        layout.caption ? Wide(CaptionWithoutMnemonic(layout.caption)) : std::wstring();
    HWND created = CreateWindowExW(
        kind.extendedStyle, kind.name, caption.c_str(), style, at.left, at.top, at.width, height,
        window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(layout.control))),
        instance_, nullptr);
    if (!created) throw std::runtime_error(std::string("cannot create ") + layout.name);
    HFONT font = layout.kind == ControlKind::PushButton ? buttonFont_ : windowFont_;
    SendMessageW(created, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    controls_[layout.control] = created;
    return created;
}

void Form1Window::fitDriveList() {
    // The closed drive list is as high as designed. Its field's height is what can be set,
    // and systems differ in how they count it, so it is corrected until the box fits.
    HWND drives = control(Control::DriveList);
    const int wanted = PixelRectInWindow(Control::DriveList, dpi_).height;
    auto field = SendMessageW(drives, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    for (int attempt = 0; attempt < 4; ++attempt) {
        RECT closed{};
        GetWindowRect(drives, &closed);
        const int missing = wanted - (closed.bottom - closed.top);
        if (missing == 0) break;
        field += missing;
        SendMessageW(drives, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    }
}

void Form1Window::setUpResultsView() {
    HWND list = control(Control::ResultsView);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    toolTip_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance_, nullptr);
    std::wstring tip = Wide(kResultsToolTip);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(list);
    tool.lpszText = tip.data();
    SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    fitHeadingToColours();
}

void Form1Window::fitHeadingToColours() {
    // A visual style draws the list's heading on a light face of its own, but writes "Results"
    // in the system's button text colour, which a dark colour scheme makes light (Wine keeps
    // its style under any colours): the heading would vanish. Under such a scheme the heading
    // is drawn without the style, in the system's colours, face and text alike, as Windows
    // draws every control under its dark (high-contrast) schemes.
    const bool darkScheme = IsLight(GetSysColor(COLOR_BTNTEXT));
    // A blank name is a style that no theme has: the control draws without one.
    const wchar_t* style = darkScheme ? L" " : nullptr;
    SetWindowTheme(ListView_GetHeader(control(Control::ResultsView)), style, style);
}

void Form1Window::describeControls() {
    // What screen readers say of each control beyond its caption, through the annotations of
    // Active Accessibility. Without them the controls keep what the system tells of them.
    IAccPropServices* annotations = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAccPropServices, reinterpret_cast<void**>(&annotations)))) {
        return;
    }
    for (const ControlLayout& c : Form1Layout()) {
        // The caption holds no "&" while Alt is up, so its letter is told here.
        const char key = AccessKeyOf(c);
        const std::string shortcut = key ? std::string("Alt+") + key : std::string();
        for (const auto& [property, text] :
             {std::pair{PROPID_ACC_NAME, c.accessibleName},
              std::pair{PROPID_ACC_DESCRIPTION, c.description},
              std::pair{PROPID_ACC_KEYBOARDSHORTCUT, key ? shortcut.c_str() : nullptr}}) {
            if (!text) continue;
            annotations->SetHwndPropStr(control(c.control), static_cast<DWORD>(OBJID_CLIENT),
                                        CHILDID_SELF, property, Wide(text).c_str());
        }
    }
    annotations->Release();
}

void Form1Window::show(int showCommand) {
    showAccessKeys(false);
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    setFocus(Control::ResultsView);
}

void Form1Window::showAccessKeys(bool shown) {
    // Always where the user asked Windows to underline them always (the keyboard cues).
    BOOL always = FALSE;
    SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &always, 0);
    shown = shown || always;
    if (shown == accessKeysShown_) return;
    accessKeysShown_ = shown;
    // The captions carry their "&" only while the underlines show. Windows could hide them by
    // the window's keyboard cue state (UISF_HIDEACCEL), but Wine keeps no such state and
    // underlines every marked letter; the letters themselves are pressed through
    // pressAccessKey, whatever the captions hold.
    for (const ControlLayout& c : Form1Layout()) {
        if (!c.caption || std::string_view(c.caption).find('&') == std::string_view::npos) {
            continue;
        }
        const std::string caption = shown ? c.caption : CaptionWithoutMnemonic(c.caption);
        SetWindowTextW(control(c.control), Wide(caption).c_str());
    }
}

bool Form1Window::pressAccessKey(wchar_t letter) {
    for (const ControlLayout& c : Form1Layout()) {
        const char key = AccessKeyOf(c);
        if (key && static_cast<wchar_t>(key) == std::towupper(letter)) {
            SendMessageW(control(c.control), BM_CLICK, 0, 0);
            return true;
        }
    }
    return false;
}

void Form1Window::moveAmongOptions(HWND from, bool forward) {
    // The options of the frame from top to bottom, as they are seen.
    const Control frame = LayoutOf(*controlOf(from)).container;
    std::vector<Control> options;
    for (const ControlLayout& c : Form1Layout()) {
        if (c.kind == ControlKind::Option && c.container == frame) options.push_back(c.control);
    }
    std::sort(options.begin(), options.end(),
              [](Control a, Control b) { return LayoutOf(a).top < LayoutOf(b).top; });
    const auto at = std::find(options.begin(), options.end(), *controlOf(from));
    const size_t index = static_cast<size_t>(at - options.begin());
    // Around the group, as the dialog manager goes.
    const Control next = options[(index + (forward ? 1 : options.size() - 1)) % options.size()];
    setFocus(next);
    // An option reached by the keyboard is chosen, as a click chooses it.
    if (!isChecked(next)) SendMessageW(control(next), BM_CLICK, 0, 0);
}

bool Form1Window::isChecked(Control option) const {
    return SendMessageW(control(option), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Form1Window::setChecked(Control option, bool checked) {
    if (checked) {
        const Control frame = LayoutOf(option).container;
        for (const ControlLayout& c : Form1Layout()) {
            if (c.kind == ControlKind::Option && c.container == frame && c.control != option) {
                SendMessageW(control(c.control), BM_SETCHECK, BST_UNCHECKED, 0);
            }
        }
    }
    SendMessageW(control(option), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::string Form1Window::text(Control id) const {
    HWND window = id == Control::Window ? window_ : control(id);
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
}

void Form1Window::setText(Control id, const std::string& text) {
    // An edit control tells of every text it is given; the form hears only of changes.
    if (this->text(id) == text) return;
    SetWindowTextW(id == Control::Window ? window_ : control(id), Wide(text).c_str());
}

void Form1Window::setFocus(Control id) {
    // Through the dialog manager, which keeps the default button in step.
    SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control(id)), TRUE);
}

void Form1Window::selectAllText(Control textBox) {
    SendMessageW(control(textBox), EM_SETSEL, 0, -1);
}

void Form1Window::showDrives(const std::vector<std::string>& texts, int current) {
    HWND drives = control(Control::DriveList);
    SendMessageW(drives, CB_RESETCONTENT, 0, 0);
    for (const std::string& text : texts) {
        SendMessageW(drives, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
    }
    SendMessageW(drives, CB_SETCURSEL, static_cast<WPARAM>(current), 0);
}

int Form1Window::currentDrive() const {
    const LRESULT current = SendMessageW(control(Control::DriveList), CB_GETCURSEL, 0, 0);
    return current == CB_ERR ? -1 : static_cast<int>(current);
}

void Form1Window::setCaption(const std::string& caption) {
    SetWindowTextW(window_, Wide(caption).c_str());
}

void Form1Window::showProgramIcon() {
    for (const auto& [which, metric] :
         {std::pair{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}}) {
        const int size = GetSystemMetrics(metric);
        HANDLE icon = LoadImageW(instance_, MAKEINTRESOURCEW(kProgramIconId), IMAGE_ICON, size,
                                 size, LR_DEFAULTCOLOR);
        if (icon) SendMessageW(window_, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    }
}

void Form1Window::useButtonFaceColour() {
    buttonFace_ = true;
    RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

bool Form1Window::loadMouseIcon(const std::string& cursorFile) {
    HCURSOR cursor = LoadCursorFromFileW(Wide(cursorFile).c_str());
    if (!cursor) return false;
    if (mouseIcon_) DestroyCursor(mouseIcon_);
    mouseIcon_ = cursor;
    return true;
}

void Form1Window::showPointer(int mousePointer) {
    mousePointer_ = mousePointer;
    // The pointer changes at once where it rests, not only at its next movement.
    POINT at{};
    if (!GetCursorPos(&at)) return;
    HWND under = WindowFromPoint(at);
    if (under != window_ && !IsChild(window_, under)) return;
    const std::optional<Control> over = controlOf(under);
    HCURSOR cursor = over ? cursorOver(*over) : nullptr;
    if (!cursor) cursor = reinterpret_cast<HCURSOR>(GetClassLongPtrW(under, GCLP_HCURSOR));
    SetCursor(cursor ? cursor : LoadCursorW(nullptr, IDC_ARROW));
}

}  // namespace quorvane
