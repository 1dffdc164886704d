#include "win32/win32_desktop.h"

#include <windows.h>

#include <shlobj.h>
#include <shlwapi.h>

#include <new>

#include "results/yielding_call.h"
#include "text/utf16_text.h"
#include "win32/wide_text.h"

namespace quorvane {

namespace {

constexpr wchar_t kWorkbookType[] = L".xlsx";

}  // namespace

bool Win32Desktop::openUrl(const std::string& address) {
    // The shell's explorer hands a web address to the user's browser; minimised, so the
    // window keeps the user's attention.
    const std::wstring argument = L"\"" + Wide(address) + L"\"";
    const auto started = ShellExecuteW(nullptr, L"open", L"explorer.exe", argument.c_str(), nullptr,
                                       SW_SHOWMINIMIZED);
    return reinterpret_cast<INT_PTR>(started) > 32;
}

bool Win32Desktop::openFile(const std::string& path) {
    const auto opened =
        ShellExecuteW(owner_, nullptr, Wide(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(opened) > 32;
}

bool Win32Desktop::hasSpreadsheetApplication() {
    wchar_t program[MAX_PATH];
    DWORD length = MAX_PATH;
    return AssocQueryStringW(ASSOCF_INIT_IGNOREUNKNOWN | ASSOCF_NOTRUNCATE, ASSOCSTR_EXECUTABLE,
                             kWorkbookType, L"open", program, &length) == S_OK &&
           length > 1;
}

std::string Win32Desktop::desktopFolder() {
    PIDLIST_ABSOLUTE desktop = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop))) return {};
    wchar_t path[MAX_PATH] = {};
    const bool found = SHGetPathFromIDListW(desktop, path);
    CoTaskMemFree(desktop);
    return found ? Narrow(path) : std::string();
}

void Win32Desktop::setClipboardText(std::string_view text, YieldHook* hook) {
    // Converted straight into the memory the clipboard takes: room for the most units the
    // text can give, then what it gave.
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
    if (!memory) throw std::bad_alloc();
    auto* units = static_cast<char16_t*>(GlobalLock(memory));
    if (!units) {
        GlobalFree(memory);
        throw std::bad_alloc();
    }
    const size_t length = ToUtf16(text, units, hook);
    units[length] = u'\0';
    GlobalUnlock(memory);
    // Fitting the memory may copy it, and the system may copy what the clipboard takes (Wine
    // hands it to its server): hundreds of MiB for a list of millions, done on a thread of its
    // own while the window runs. The clipboard stays with the window all the same.
    CallWhileYielding(hook, [this, memory, length]() mutable {
        if (HGLOBAL fitted = GlobalReAlloc(memory, (length + 1) * sizeof(char16_t), 0)) {
            memory = fitted;
        }
        ClearClipboard(owner_);
        return SetClipboardText(owner_, memory);
    });
}

void ClearClipboard(HWND owner) {
    for (int attempt = 0; attempt < Win32Desktop::kClipboardAttempts; ++attempt) {
        if (!OpenClipboard(owner)) continue;
        const bool emptied = EmptyClipboard();
        CloseClipboard();
        if (emptied) return;
    }
}

bool SetClipboardText(HWND owner, HGLOBAL memory) {
    for (int attempt = 0; attempt < Win32Desktop::kClipboardAttempts; ++attempt) {
        if (!OpenClipboard(owner)) continue;
        EmptyClipboard();
        const bool placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        CloseClipboard();
        if (placed) return true;
    }
    GlobalFree(memory);
    return false;
}

}  // namespace quorvane
