#include "win32/input_box.h"

#include <cstdint>
#include <vector>

#include "form/event_failures.h"

namespace quorvane {

namespace {

// Builds a dialog template in memory: a header, then one item per control, each on a
// four-byte boundary, texts as UTF-16 with their terminating zero.
class DialogTemplate {
  public:
    DialogTemplate(DWORD style, short width, short height, const wchar_t* font, WORD points) {
        DLGTEMPLATE header{};
        header.style = style | DS_SETFONT;
        header.cx = width;
        header.cy = height;
        add(&header, sizeof header);
        addWord(0);  // no menu
        addWord(0);  // the dialog class
        addText(L"");
        addWord(points);
        addText(font);
    }

    // `classAtom`: 0x0080 button, 0x0081 edit, 0x0082 static.
    void addItem(WORD classAtom, WORD id, DWORD style, short x, short y, short width, short height,
                 const wchar_t* text) {
        align();
        DLGITEMTEMPLATE item{};
        item.style = style | WS_CHILD | WS_VISIBLE;
        item.x = x;
        item.y = y;
        item.cx = width;
        item.cy = height;
        item.id = id;
        add(&item, sizeof item);
        addWord(0xFFFF);
        addWord(classAtom);
        addText(text);
        addWord(0);  // no creation data
        ++reinterpret_cast<DLGTEMPLATE*>(bytes_.data())->cdit;
    }

    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

  private:
    void add(const void* data, size_t size) {
        const auto* from = static_cast<const std::uint8_t*>(data);
        bytes_.insert(bytes_.end(), from, from + size);
    }
    void addWord(WORD word) { add(&word, sizeof word); }
    void addText(const wchar_t* text) {
        do {
            addWord(static_cast<WORD>(*text));
        } while (*text++);
    }
    void align() {
        while (bytes_.size() % 4)
            bytes_.push_back(0);
    }

    // DWORD-aligned storage: the template's start must be too.
    std::vector<std::uint8_t> bytes_;
};

struct BoxState {
    const std::wstring* prompt;
    const std::wstring* title;
    std::wstring answer;
};

INT_PTR BoxMessage(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(box, DWLP_USER, lParam);
            const auto* state = reinterpret_cast<BoxState*>(lParam);
            SetWindowTextW(box, state->title->c_str());
            SetDlgItemTextW(box, kInputBoxPrompt, state->prompt->c_str());
            SendDlgItemMessageW(box, kInputBoxEntry, EM_SETLIMITTEXT, 0, 0);
            SetFocus(GetDlgItem(box, kInputBoxEntry));
            return FALSE;  // the focus is set
        }
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (id == IDOK) {
                auto* state = reinterpret_cast<BoxState*>(GetWindowLongPtrW(box, DWLP_USER));
                HWND entry = GetDlgItem(box, kInputBoxEntry);
                std::wstring text(static_cast<size_t>(GetWindowTextLengthW(entry)) + 1, L'\0');
                text.resize(static_cast<size_t>(
                    GetWindowTextW(entry, text.data(), static_cast<int>(text.size()))));
                state->answer = std::move(text);
                EndDialog(box, IDOK);
                return TRUE;
            }
            if (id == IDCANCEL) {
                EndDialog(box, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        }
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK BoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    // No exception may unwind into the dialog manager: a failure is kept for the box's caller
    // (see event_failures.h), and the box ends as if cancelled.
    try {
        return BoxMessage(box, message, wParam, lParam);
    } catch (...) {
        KeepEventFailure(std::current_exception());
        EndDialog(box, IDCANCEL);
        return TRUE;
    }
}

}  // namespace

std::optional<std::wstring> ShowInputBox(HWND owner, const std::wstring& prompt,
                                         const std::wstring& title) {
    // In dialog units of the shell's dialog font: the prompt at the top left, the buttons on
    // the right, the entry across the bottom.
    DialogTemplate layout(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER, 240, 88,
                          L"MS Shell Dlg", 8);
    layout.addItem(0x0082, kInputBoxPrompt, SS_LEFT | SS_NOPREFIX, 7, 7, 170, 48, L"");
    layout.addItem(0x0080, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 184, 7, 49, 14, L"OK");
    layout.addItem(0x0080, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 184, 25, 49, 14, L"Cancel");
    layout.addItem(0x0081, kInputBoxEntry, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 64, 226, 14,
                   L"");
    BoxState state{&prompt, &title, {}};
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), layout.get(), owner,
                                                   BoxProcedure, reinterpret_cast<LPARAM>(&state));
    if (result != IDOK) return std::nullopt;
    return state.answer;
}

}  // namespace quorvane
