#include <windows.h>

#include <stdexcept>

#include "support/fixture_tree.h"
#include "support/wide_text.h"

namespace quorvane::test {

namespace {

[[noreturn]] void fail(const std::string& what, const std::string& path) {
    throw std::runtime_error(LastErrorText(what, path));
}

void removeTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            const DWORD attributes = data.dwFileAttributes;
            if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
                DeleteFileW(path.c_str());
            } else if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
                RemoveDirectoryW(path.c_str());
            } else {
                removeTree(path);
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

void RemoveTree(const std::string& path) {
    std::wstring folder = LongForm(path);
    while (folder.size() > 7 && folder.back() == L'\\')
        folder.pop_back();
    removeTree(folder);
}

void MakeFolder(const std::string& path) {
    if (!CreateDirectoryW(LongForm(path).c_str(), nullptr)) fail("CreateDirectoryW", path);
}

void MakeFolders(const std::string& path) {
    // Past the drive ("C:\") or the share (\\server\share\).
    size_t start = path.starts_with("\\\\") ? path.find('\\', path.find('\\', 2) + 1) : 2;
    for (size_t slash = path.find('\\', start + 1); slash != std::string::npos;
         slash = path.find('\\', slash + 1)) {
        CreateDirectoryW(LongForm(path.substr(0, slash)).c_str(), nullptr);
    }
    if (!CreateDirectoryW(LongForm(path).c_str(), nullptr) &&
        GetLastError() != ERROR_ALREADY_EXISTS) {
        fail("CreateDirectoryW", path);
    }
}

void MakeFile(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileW(LongForm(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) fail("CreateFileW", path);
    DWORD written = 0;
    const bool ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    CloseHandle(file);
    if (!ok) fail("WriteFile", path);
}

std::string ReadFile(const std::string& path) {
    HANDLE file = CreateFileW(LongForm(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

std::vector<std::string> ListedNames(const std::string& folder) {
    std::wstring pattern = LongForm(folder);
    if (pattern.back() != L'\\') pattern.push_back(L'\\');
    pattern.push_back(L'*');
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) fail("FindFirstFileW", folder);
    std::vector<std::string> names;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") names.push_back(Narrow(name));
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

void SetAttributes(const std::string& path, unsigned long attributes) {
    if (!SetFileAttributesW(LongForm(path).c_str(), attributes)) fail("SetFileAttributesW", path);
}

}  // namespace quorvane::test
