#include "win32/win32_dialogs.h"

#include <windows.h>

#include <commdlg.h>
#include <shlobj.h>

#include <vector>

#include "form/event_failures.h"
#include "win32/input_box.h"
#include "win32/wide_text.h"

namespace quorvane {

namespace {

// Long paths are allowed wherever the dialog gives them.
constexpr DWORD kPathCharacters = 32768;

int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM, LPARAM preselection) {
    // The browser preselects the initial folder once it is ready; an empty or missing one
    // leaves it at its default.
    if (message == BFFM_INITIALIZED) {
        const auto* folder = reinterpret_cast<const std::wstring*>(preselection);
        if (!folder->empty()) {
            SendMessageW(browser, BFFM_SETSELECTIONW, TRUE,
                         reinterpret_cast<LPARAM>(folder->c_str()));
        }
    }
    return 0;
}

}  // namespace

std::wstring CommonDialogFilter(const std::string& filter) {
    std::wstring text = Wide(filter);
    for (wchar_t& c : text) {
        if (c == L'|') c = L'\0';
    }
    text.push_back(L'\0');
    return text;
}

void Win32Dialogs::message(const std::string& text, const std::string& title, MessageStyle style) {
    // The style is the message box's own flags: 0 an OK button alone, 48 with the warning icon.
    const std::wstring wideText = Wide(text);
    const std::wstring wideTitle = Wide(title);
    RunDialog([&] {
        return MessageBoxW(owner_, wideText.c_str(), wideTitle.c_str(), static_cast<UINT>(style));
    });
}

std::string Win32Dialogs::input(const std::string& prompt, const std::string& title) {
    const std::wstring widePrompt = Wide(prompt);
    const std::wstring wideTitle = Wide(title);
    const std::optional<std::wstring> answer =
        RunDialog([&] { return ShowInputBox(owner_, widePrompt, wideTitle); });
    return answer ? Narrow(*answer) : std::string();
}

Status Win32Dialogs::saveFile(const std::string& title, const std::string& filter,
                              std::string& chosen) {
    chosen.clear();
    std::vector<wchar_t> path(kPathCharacters, L'\0');
    const std::wstring caption = Wide(title);
    const std::wstring filters = CommonDialogFilter(filter);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = filters.c_str();
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = kPathCharacters;
    dialog.lpstrTitle = caption.c_str();
    // No question before a file is replaced, and no suffix added to a name typed without one.
    dialog.Flags = OFN_EXPLORER | OFN_LONGNAMES | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (RunDialog([&] { return GetSaveFileNameW(&dialog); })) {
        chosen = Narrow(path.data());
        return {};
    }
    // The common dialogs' own code; none when the user cancelled.
    if (const DWORD error = CommDlgExtendedError()) return Status::system(static_cast<int>(error));
    return {};
}

std::string Win32Dialogs::browseFolder(const std::string& prompt,
                                       const std::string& initialFolder) {
    const std::wstring instruction = Wide(prompt);
    const std::wstring preselection = Wide(initialFolder);
    BROWSEINFOW browse{};
    browse.hwndOwner = owner_;
    browse.lpszTitle = instruction.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    browse.lpfn = BrowseCallback;
    browse.lParam = reinterpret_cast<LPARAM>(&preselection);
    ForgetEventFailure();
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
    wchar_t path[MAX_PATH] = {};
    const bool isFolder = chosen && SHGetPathFromIDListW(chosen, path);
    CoTaskMemFree(chosen);
    ThrowKeptEventFailure();
    // A choice without a file-system path is no choice.
    return isFolder ? Narrow(path) : std::string();
}

}  // namespace quorvane
