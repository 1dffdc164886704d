#include "engine/extended_length_path.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "text/native_text.h"

namespace quorvane {

namespace {

bool isSeparator(wchar_t c) {
    return c == L'\\';
}

bool isDriveAbsolute(std::wstring_view path) {
    return path.size() >= 3 &&
           ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z')) &&
           path[1] == L':' && isSeparator(path[2]);
}

bool isNetworkPath(std::wstring_view path) {
    return path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1]);
}

// The components of `rest` with empty and "." ones dropped and ".." applied; ".." at the top
// stays at the top, as in Windows.
std::vector<std::wstring_view> tidyComponents(std::wstring_view rest) {
    std::vector<std::wstring_view> components;
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = rest.find(L'\\', start);
        if (end == std::wstring_view::npos) end = rest.size();
        const std::wstring_view component = rest.substr(start, end - start);
        if (component == L"..") {
            if (!components.empty()) components.pop_back();
        } else if (!component.empty() && component != L".") {
            components.push_back(component);
        }
        start = end + 1;
    }
    return components;
}

std::wstring withComponents(std::wstring root, std::wstring_view rest, bool trailing) {
    const auto components = tidyComponents(rest);
    for (const std::wstring_view component : components) {
        root.push_back(L'\\');
        root.append(component);
    }
    if (trailing || components.empty()) root.push_back(L'\\');
    return root;
}

// \\server\share\rest: any further leading separators are one, as in the network prefix rule.
std::wstring networkForm(std::wstring_view path, bool trailing) {
    size_t start = 2;
    while (start < path.size() && isSeparator(path[start]))
        ++start;
    const size_t serverEnd = std::min(path.find(L'\\', start), path.size());
    size_t shareStart = serverEnd;
    while (shareStart < path.size() && isSeparator(path[shareStart]))
        ++shareStart;
    const size_t shareEnd = std::min(path.find(L'\\', shareStart), path.size());
    if (serverEnd == start || shareEnd == shareStart) return std::wstring(path);  // no share
    std::wstring root = L"\\\\?\\UNC\\";
    root.append(path.substr(start, serverEnd - start));
    root.push_back(L'\\');
    root.append(path.substr(shareStart, shareEnd - shareStart));
    return withComponents(std::move(root), path.substr(shareEnd), trailing);
}

std::wstring fullPath(const std::wstring& path) {
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return path;
    full.resize(length);
    return full;
}

}  // namespace

std::wstring ToExtendedLengthPath(std::string_view utf8) {
    std::wstring path = ToNativePath(utf8);
    if (path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\")) return path;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    if (path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\")) return path;
    const bool trailing = !path.empty() && isSeparator(path.back());
    if (!isDriveAbsolute(path) && !isNetworkPath(path)) {
        // Relative, drive-relative (C:Data) or rooted (\Data): the current folder decides,
        // which only the system knows. Names in such a path get the system's tidying.
        path = fullPath(path);
        if (!isDriveAbsolute(path) && !isNetworkPath(path)) return path;
    }
    if (isNetworkPath(path)) return networkForm(path, trailing);
    return withComponents(L"\\\\?\\" + path.substr(0, 2), std::wstring_view(path).substr(3),
                          trailing);
}

}  // namespace quorvane
