#include "support/wide_text.h"

#include <windows.h>

namespace quorvane::test {

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring out(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out.data(), length);
    return out;
}

std::string Narrow(const std::wstring& utf16) {
    if (utf16.empty()) return {};
    const int size = static_cast<int>(utf16.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, out.data(), length, nullptr, nullptr);
    return out;
}

std::wstring LongForm(const std::string& path) {
    if (path.starts_with("\\\\")) return L"\\\\?\\UNC\\" + Wide(path.substr(2));
    return L"\\\\?\\" + Wide(path);
}

std::string LastErrorText(const std::string& what, const std::string& path) {
    return what + " " + path + ": error " + std::to_string(GetLastError());
}

}  // namespace quorvane::test
