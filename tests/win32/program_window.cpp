#include "program_window.h"

#include <commctrl.h>

#include <chrono>
#include <stdexcept>
#include <thread>

#include "support/wide_text.h"
#include "win32/form1_window.h"

namespace quorvane::test {

namespace {

constexpr auto kPatience = std::chrono::seconds(60);

template <typename Find>
HWND WaitFor(Find find) {
    const auto until = std::chrono::steady_clock::now() + kPatience;
    while (std::chrono::steady_clock::now() < until) {
        if (HWND found = find()) return found;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return nullptr;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// A window's text, asked of the window itself: for a control of another process the system
// keeps none.
std::string TextOf(HWND window) {
    const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return Narrow(text);
}

// The top-level windows of a thread that are shown.
std::vector<HWND> ShownWindows(DWORD thread) {
    std::vector<HWND> windows;
    EnumThreadWindows(
        thread,
        [](HWND window, LPARAM found) {
            if (IsWindowVisible(window))
                reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// Memory in the program's own process, for the list view's messages that carry pointers.
class RemoteMemory {
  public:
    RemoteMemory(HANDLE process, size_t size)
        : process_(process),
          address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {
        if (!address_) throw std::runtime_error("no memory in the program");
    }
    ~RemoteMemory() { VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }
    template <typename T>
    T* at(size_t offset = 0) const {
        return reinterpret_cast<T*>(static_cast<char*>(address_) + offset);
    }
    void write(size_t offset, const void* data, size_t size) const {
        WriteProcessMemory(process_, at<char>(offset), data, size, nullptr);
    }
    void read(size_t offset, void* data, size_t size) const {
        ReadProcessMemory(process_, at<char>(offset), data, size, nullptr);
    }

  private:
    HANDLE process_;
    void* address_;
};

}  // namespace

ProgramWindow::ProgramWindow(const std::wstring& argument, const std::wstring& given) {
    std::wstring program = given;
    if (program.empty()) {
        wchar_t self[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        program = self;
        program.resize(program.rfind(L'\\') + 1);
        program += L"quorvane.exe";
    }
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!argument.empty()) commandLine += L" \"" + argument + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    // Wine now and then fails a start with ERROR_INTERNAL_ERROR, its new process gone before it
    // was set up (seen once, with a second run of these tests on the machine); it is tried once
    // more.
    for (int attempt = 1;; ++attempt) {
        if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &process_)) {
            break;
        }
        if (attempt == 2 || GetLastError() != ERROR_INTERNAL_ERROR) {
            throw std::runtime_error(LastErrorText("cannot start", Narrow(program)));
        }
        Sleep(500);
    }
    WaitForInputIdle(process_.hProcess, 60000);
    window_ = WaitFor([this]() -> HWND {
        for (HWND shown : ShownWindows(process_.dwThreadId)) {
            if (GetDlgItem(shown, Form1Window::ControlId(Control::ResultsView))) return shown;
        }
        return nullptr;
    });
    if (!window_) throw std::runtime_error("the program shows no window");
    settle();
}

ProgramWindow::~ProgramWindow() {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

HWND ProgramWindow::control(Control control) const {
    return GetDlgItem(window_, Form1Window::ControlId(control));
}

std::string ProgramWindow::text(Control control) const {
    return TextOf(this->control(control));
}

HWND ProgramWindow::focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(process_.dwThreadId, &info);
    return info.hwndFocus;
}

// A sent message rather than a posted one: the program takes sent messages in the order they
// come, before any posted one, so a settle() after the click cannot overtake it.
void ProgramWindow::click(Control button) {
    SendNotifyMessageW(control(button), BM_CLICK, 0, 0);
}

void ProgramWindow::settle() const {
    SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 60000, nullptr);
}

HWND ProgramWindow::nextBox() const {
    return WaitFor([this]() -> HWND { return boxOpen(); });
}

bool ProgramWindow::boxShown() const {
    return boxOpen() != nullptr;
}

HWND ProgramWindow::boxOpen() const {
    for (HWND shown : ShownWindows(process_.dwThreadId)) {
        if (shown != window_ && ClassOf(shown) == L"#32770") return shown;
    }
    return nullptr;
}

ProgramWindow::Message ProgramWindow::answerMessage() {
    HWND box = nextBox();
    if (!box) throw std::runtime_error("no message box");
    Message message;
    message.title = TextOf(box);
    // Windows gives the text the identifier 0xFFFF, Wine 100; the icon is 0x14 or 1088.
    HWND text = GetDlgItem(box, 0xFFFF);
    if (!text) text = GetDlgItem(box, 100);
    message.text = TextOf(text);
    for (const int iconId : {0x14, 1088}) {
        HWND icon = GetDlgItem(box, iconId);
        if (icon && IsWindowVisible(icon) && SendMessageW(icon, STM_GETICON, 0, 0)) {
            message.warningIcon = true;
        }
    }
    press(box, IDOK);
    return message;
}

void ProgramWindow::press(HWND box, int id) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
    WaitFor([box]() -> HWND { return IsWindow(box) && IsWindowVisible(box) ? nullptr : box; });
    settle();
}

std::vector<std::string> ProgramWindow::rows() const {
    HWND list = control(Control::ResultsView);
    const int count = ListView_GetItemCount(list);
    constexpr size_t kTextOffset = sizeof(LVITEMW);
    constexpr int kCharacters = 2048;
    RemoteMemory memory(process_.hProcess, kTextOffset + kCharacters * sizeof(wchar_t));
    std::vector<std::string> rows;
    for (int row = 0; row < count; ++row) {
        LVITEMW item{};
        item.iSubItem = 0;
        item.pszText = memory.at<wchar_t>(kTextOffset);
        item.cchTextMax = kCharacters;
        memory.write(0, &item, sizeof item);
        const auto length = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                         reinterpret_cast<LPARAM>(memory.at<LVITEMW>()));
        std::wstring text(static_cast<size_t>(length), L'\0');
        memory.read(kTextOffset, text.data(), text.size() * sizeof(wchar_t));
        rows.push_back(Narrow(text));
    }
    return rows;
}

std::vector<std::string> ProgramWindow::rowsOnceThereAre(size_t count) const {
    HWND list = control(Control::ResultsView);
    WaitFor([&]() -> HWND {
        return static_cast<size_t>(ListView_GetItemCount(list)) == count ? list : nullptr;
    });
    return rows();
}

void ProgramWindow::selectRow(int row) {
    RemoteMemory memory(process_.hProcess, sizeof(LVITEMW));
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    memory.write(0, &item, sizeof item);
    SendMessageW(control(Control::ResultsView), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(memory.at<LVITEMW>()));
}

POINT ProgramWindow::rowCentre(int row) const {
    RemoteMemory memory(process_.hProcess, sizeof(RECT));
    RECT rect{};
    rect.left = LVIR_LABEL;
    memory.write(0, &rect, sizeof rect);
    SendMessageW(control(Control::ResultsView), LVM_GETITEMRECT, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(memory.at<RECT>()));
    memory.read(0, &rect, sizeof rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

int ProgramWindow::close() {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, 60000) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<int>(code);
}

}  // namespace quorvane::test
