#include "win32/windows_environment.h"

#include <windows.h>

#include <shellapi.h>

#include "win32/wide_text.h"

namespace quorvane {

namespace {

std::string LocaleText(LCTYPE item, const std::string& fallback) {
    wchar_t text[16] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, text, 16) == 0) return fallback;
    return Narrow(text);
}

}  // namespace

std::string ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    while (true) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    path.resize(path.rfind(L'\\') + 1);
    // "C:\" stays a root; any other folder loses its separator.
    if (path.size() > 3) path.pop_back();
    return Narrow(path);
}

std::string StartFolder() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments) return {};
    std::wstring folder;
    if (count == 2 && arguments[1][0] != L'\0') {
        const DWORD length = GetFullPathNameW(arguments[1], 0, nullptr, nullptr);
        folder.resize(length);
        folder.resize(GetFullPathNameW(arguments[1], length, folder.data(), nullptr));
    }
    LocalFree(arguments);
    return Narrow(folder);
}

NumberFormat UserNumberFormat() {
    NumberFormat format;
    format.decimalSeparator = LocaleText(LOCALE_SDECIMAL, format.decimalSeparator);
    format.groupSeparator = LocaleText(LOCALE_STHOUSAND, format.groupSeparator);
    return format;
}

}  // namespace quorvane
