#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "form/event_failures.h"
#include "win32/form1_window.h"
#include "win32/text_weight.h"

namespace quorvane {

namespace {

// Posted when the depth box has lost the focus: the check runs once the press that moved the focus
// has reached its control.
constexpr UINT kDepthCheckDue = WM_APP + 1;
// Posted by another thread to end a wait for messages (wake); it does nothing itself.
constexpr UINT kWake = WM_APP + 2;

// The shift state of a key press as the form takes it: 1 Shift, 2 Ctrl, 4 Alt.
int ShiftState() {
    const auto down = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
    return (down(VK_SHIFT) ? 1 : 0) | (down(VK_CONTROL) ? 2 : 0) | (down(VK_MENU) ? 4 : 0);
}

// A letter pressed with Alt: a letter key's own code ('A' to 'Z'; other keys, F4 or the
// number pad's, have codes that read as letters too), or the character that it gives.
bool IsLetter(const MSG& message) {
    if (message.message == WM_SYSKEYDOWN) return message.wParam >= 'A' && message.wParam <= 'Z';
    return message.message == WM_SYSCHAR;
}

}  // namespace

INT_PTR CALLBACK Form1Window::DialogProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        return FALSE;
    }
    auto* self = reinterpret_cast<Form1Window*>(GetWindowLongPtrW(window, DWLP_USER));
    // Messages that arrive before the controls exist, or after the form is gone, are the
    // dialog manager's alone.
    if (!self || !self->form_) return FALSE;
    // No exception may unwind into the dialog manager: what a handler throws is kept (see
    // event_failures.h), and the message gets the default handling.
    try {
        return self->onMessage(message, wParam, lParam);
    } catch (...) {
        KeepEventFailure(std::current_exception());
        return FALSE;
    }
}

INT_PTR Form1Window::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const auto result = [this](LRESULT value) {
        SetWindowLongPtrW(window_, DWLP_MSGRESULT, value);
        return TRUE;
    };
    switch (message) {
        case WM_COMMAND:
            onCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_NOTIFY:
            return result(onNotify(*reinterpret_cast<const NMHDR*>(lParam)));
        case WM_SETCURSOR:
            if (!onSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam))) {
                return FALSE;
            }
            return result(TRUE);
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC: {
            // The window, its frames and its option buttons: black on white, or the system's
            // button text on its button face when the skin is there. The text colour goes
            // with the background: a dark colour scheme's light text would vanish on white.
            // The text boxes and the list keep the system's colours, text and background.
            const auto dc = reinterpret_cast<HDC>(wParam);
            SetBkColor(dc, buttonFace_ ? GetSysColor(COLOR_BTNFACE) : RGB(255, 255, 255));
            SetTextColor(dc, buttonFace_ ? GetSysColor(COLOR_BTNTEXT) : RGB(0, 0, 0));
            return reinterpret_cast<INT_PTR>(buttonFace_ ? GetSysColorBrush(COLOR_BTNFACE)
                                                         : white_);
        }
        case WM_SYSCOLORCHANGE:
            fitHeadingToColours();
            return FALSE;
        case WM_ACTIVATE:
            // Alt may be let go in another window.
            if (LOWORD(wParam) == WA_INACTIVE) showAccessKeys(false);
            return FALSE;
        case WM_VSCROLL:
        case WM_HSCROLL:
            onScroll(message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wParam));
            return TRUE;
        case WM_MOUSEWHEEL:
            onWheel(GET_WHEEL_DELTA_WPARAM(wParam));
            return TRUE;
        case kDepthCheckDue:
            onDepthCheckDue();
            return TRUE;
        case kWake:
            return TRUE;
        case WM_CLOSE:
            form_->unload();
            // The program has ended unless its end was only recorded.
            PostQuitMessage(0);
            return TRUE;
        default:
            return FALSE;
    }
}

void Form1Window::onCommand(int id, int code) {
    // Enter and Escape reach a dialog as IDOK and IDCANCEL. Enter in the folder box starts the
    // list, as "Start Creating List" does; elsewhere it does nothing. Escape stops a run.
    if (id == IDOK && GetFocus() == control(Control::FolderBox)) {
        form_->startList();
        return;
    }
    if (id == IDCANCEL) {
        form_->stopList();
        return;
    }
    if (id < kFirstControlId) return;
    const auto control = static_cast<Control>(id - kFirstControlId);
    switch (LayoutOf(control).kind) {
        case ControlKind::Option:
            if (code != BN_CLICKED) return;
            setChecked(control, true);
            form_->click(control);
            return;
        case ControlKind::PushButton:
            if (code == BN_CLICKED) form_->click(control);
            return;
        case ControlKind::TextBox:
            if (code == EN_CHANGE) form_->textChanged(control);
            if (control != Control::DepthBox) return;
            if (code == EN_SETFOCUS) {
                // Focus that comes back with the whole window never left for another control.
                if (depthBoxLeftWithTheWindow_) {
                    depthBoxLeftWithTheWindow_ = false;
                } else {
                    form_->selectDepthEntry();
                }
            } else if (code == EN_KILLFOCUS && !depthCheckQueued_) {
                depthCheckQueued_ = true;
                PostMessageW(window_, kDepthCheckDue, 0, 0);
            }
            return;
        default:
            return;
    }
}

void Form1Window::onDepthCheckDue() {
    depthCheckQueued_ = false;
    HWND focus = GetFocus();
    if (focus && (focus == window_ || IsChild(window_, focus))) {
        form_->checkDepthEntry();
    } else {
        // Another window took the focus: a message box, another program.
        depthBoxLeftWithTheWindow_ = true;
    }
}

LRESULT Form1Window::onNotify(const NMHDR& header) {
    if (header.code == NM_CUSTOMDRAW && header.hwndFrom != control(Control::ResultsView)) {
        const std::optional<Control> from = controlOf(header.hwndFrom);
        if (!from) return CDRF_DODEFAULT;
        return drawCaption(*from, *reinterpret_cast<NMCUSTOMDRAW*>(const_cast<NMHDR*>(&header)));
    }
    if (header.hwndFrom != control(Control::ResultsView)) return 0;
    switch (header.code) {
        case LVN_GETDISPINFOW:
            fillRowText(*reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header)));
            return 0;
        case LVN_KEYDOWN: {
            const auto& key = reinterpret_cast<const NMLVKEYDOWN&>(header);
            // Virtual key codes are the key codes the form takes: Delete is 46.
            form_->keyDownInResults(key.wVKey, ShiftState());
            return 0;
        }
        case NM_DBLCLK:
            // The first click has selected the entry under the pointer.
            form_->removeSelectedResult();
            return 0;
        case NM_CUSTOMDRAW:
            return drawRow(*reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(&header)));
        default:
            return 0;
    }
}

// Options tell when they have painted (custom draw); frames do not, and are watched.
LRESULT Form1Window::drawCaption(Control id, NMCUSTOMDRAW& draw) {
    if (overstrike_ == 0 || LayoutOf(id).kind != ControlKind::Option) return CDRF_DODEFAULT;
    if (draw.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYPOSTPAINT;
    if (draw.dwDrawStage == CDDS_POSTPAINT) strikeCaption(draw.hdr.hwndFrom, draw.hdc, draw.rc);
    return CDRF_DODEFAULT;
}

LRESULT CALLBACK Form1Window::FrameProcedure(HWND frame, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR, DWORD_PTR window) {
    if (message == WM_NCDESTROY) RemoveWindowSubclass(frame, FrameProcedure, kFrameSubclass);
    const LRESULT result = DefSubclassProc(frame, message, wParam, lParam);
    if (message == WM_PAINT) {
        if (HDC dc = GetDC(frame)) {
            RECT client{};
            GetClientRect(frame, &client);
            reinterpret_cast<Form1Window*>(window)->strikeCaption(frame, dc, client);
            ReleaseDC(frame, dc);
        }
    }
    return result;
}

void Form1Window::strikeCaption(HWND control, HDC dc, RECT area) const {
    // Where the caption lies: right of an option's circle; on a frame, the strip of its top
    // line that the caption interrupts.
    HGDIOBJ old = SelectObject(dc, windowFont_);
    if (GetWindowLongW(control, GWL_STYLE) & BS_GROUPBOX) {
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        wchar_t caption[256] = {};
        const int length = GetWindowTextW(control, caption, 256);
        SIZE extent{};
        GetTextExtentPoint32W(dc, caption, length, &extent);
        area.left += 4;
        area.right = std::min(area.right - 4, area.left + extent.cx + 12);
        area.bottom = std::min(area.bottom, area.top + metrics.tmHeight + 1);
    } else {
        area.left += GetSystemMetrics(SM_CXMENUCHECK) + 1;
    }
    SelectObject(dc, old);
    // The window's own white surfaces keep black text; on the skin's button face, a dark
    // colour scheme's text is light.
    const COLORREF text = buttonFace_ ? GetSysColor(COLOR_BTNTEXT) : RGB(0, 0, 0);
    const bool darkText =
        299 * GetRValue(text) + 587 * GetGValue(text) + 114 * GetBValue(text) <= 128'000;
    Overstrike(dc, area, overstrike_, darkText);
}

std::optional<Control> Form1Window::controlOf(HWND window) const {
    if (window == window_) return Control::Window;
    // A part of a control (the list's header, the drive list's field) counts as the control.
    while (window && GetParent(window) != window_) {
        window = GetParent(window);
    }
    if (!window) return std::nullopt;
    for (const auto& [id, handle] : controls_) {
        if (handle == window) return id;
    }
    return std::nullopt;
}

HCURSOR Form1Window::cursorOver(Control control) const {
    if (mousePointer_ == Form1::kHourglassPointer) return LoadCursorW(nullptr, IDC_WAIT);
    // The text boxes keep their own pointer for placing the caret.
    if (mousePointer_ == Form1::kCustomPointer && mouseIcon_ &&
        (control == Control::Window || LayoutOf(control).kind != ControlKind::TextBox)) {
        return mouseIcon_;
    }
    return nullptr;
}

bool Form1Window::onSetCursor(HWND under, int hitTest, int mouseMessage) {
    if (hitTest != HTCLIENT) return false;
    const std::optional<Control> over = controlOf(under);
    if (!over) return false;
    if (mouseMessage == WM_MOUSEMOVE) form_->pointerMoved(*over);
    HCURSOR cursor = cursorOver(*over);
    if (!cursor) return false;
    SetCursor(cursor);
    return true;
}

void Form1Window::dispatch(MSG& message) {
    // Tab, an Alt letter or the form itself may move the focus to a control that the window
    // has scrolled away from.
    HWND focus = GetFocus();
    route(message);
    if (GetFocus() != focus) scrollIntoView(GetFocus());
}

void Form1Window::route(MSG& message) {
    const bool ours = message.hwnd == window_ || IsChild(window_, message.hwnd);
    // The Alt letters are the layout's, not the dialog manager's: a caption holds its "&"
    // only while Alt is held, and a button without a letter in its caption has one too. The
    // key's press comes first, so no character follows it; a character alone is taken too.
    if (ours && message.message == WM_SYSKEYDOWN && message.wParam == VK_MENU) {
        showAccessKeys(true);
    } else if (ours && IsLetter(message) && pressAccessKey(static_cast<wchar_t>(message.wParam))) {
        return;
    }
    if ((message.message == WM_KEYUP || message.message == WM_SYSKEYUP) &&
        message.wParam == VK_MENU && ours) {
        showAccessKeys(false);
    }
    // The arrow keys go from option to option of a frame in the order they are seen. The
    // dialog manager would go down the stacking order, which is the design's tab order, and
    // would stop on the drive list, which lies between two options of the target frame.
    if (message.message == WM_KEYDOWN && ours) {
        const std::optional<Control> on = controlOf(message.hwnd);
        const WPARAM key = message.wParam;
        if (on && *on != Control::Window && LayoutOf(*on).kind == ControlKind::Option &&
            (key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT)) {
            moveAmongOptions(message.hwnd, key == VK_DOWN || key == VK_RIGHT);
            return;
        }
    }
    if (IsDialogMessageW(window_, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void Form1Window::processEvents() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // For the loop that runs the program.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatch(message);
    }
    // What a handler threw was the event's own (see event_failures.h).
    ForgetEventFailure();
}

void Form1Window::waitForEvents() {
    MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    processEvents();
}

void Form1Window::wake() {
    PostMessageW(window_, kWake, 0, 0);
}

int Form1Window::run() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        dispatch(message);
    return static_cast<int>(message.wParam);
}

}  // namespace quorvane
