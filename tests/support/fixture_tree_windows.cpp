#include "support/fixture_tree.h"

#include <windows.h>

#include <stdexcept>

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

// Windows lets a process make a symbolic link only with a privilege or in developer mode.
bool MakeFolderLink(const std::string&, const std::string&) {
    return false;
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

void MakeHidden(const std::string& path) {
    SetAttributes(path, FILE_ATTRIBUTE_HIDDEN);
}

void SetModified(const std::string& folder, std::int64_t seconds) {
    HANDLE handle = CreateFileW(LongForm(folder).c_str(), FILE_WRITE_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    const auto ticks = static_cast<std::uint64_t>(seconds + 11644473600) * 10000000;
    FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SetFileTime(handle, nullptr, nullptr, &time);
    CloseHandle(handle);
}

std::vector<ListedEntry> ListedEntries(const std::string& folder) {
    std::vector<ListedEntry> entries;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((LongForm(folder) + L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return entries;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        const DWORD attributes = data.dwFileAttributes;
        entries.push_back({Narrow(name),
                           (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0,
                           (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                           (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow});
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return entries;
}

std::optional<std::pair<std::uint64_t, std::uint64_t>> IdentityOfPath(const std::string& path) {
    HANDLE file = CreateFileW(LongForm(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    return std::pair<std::uint64_t, std::uint64_t>{
        info.dwVolumeSerialNumber, (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

const bool kNamesIgnoreCase = true;
const bool kOpenFilesCanBeRemoved = false;
const std::string kRootFolder = "C:\\";

const int kMissingFolderError = ERROR_PATH_NOT_FOUND;

void ChangeLastError() {
    SetLastError(ERROR_ACCESS_DENIED);
}

std::string BuildAwkwardTree(const std::string& parent) {
    const std::string t = parent + "\\tree";
    MakeFolders(t + "\\Alpha\\Alpha One\\deep");
    MakeFolder(t + "\\Alpha\\alpha two");
    MakeFolders(t + "\\Alpha\\Hidden in Alpha\\never");
    SetAttributes(t + "\\Alpha\\Hidden in Alpha", FILE_ATTRIBUTE_HIDDEN);
    MakeFolders(t + "\\System\\innermost");
    SetAttributes(t + "\\System", FILE_ATTRIBUTE_SYSTEM);
    MakeFolders(t + "\\Both\\inside both");
    SetAttributes(t + "\\Both", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    MakeFolders(t + "\\Read Only\\below read only");
    SetAttributes(t + "\\Read Only", FILE_ATTRIBUTE_READONLY);
    MakeFile(t + "\\file at top.txt", "x");
    MakeFile(t + "\\Alpha\\file.txt", "y");
    MakeFile(t + "\\hidden file", "z");
    SetAttributes(t + "\\hidden file", FILE_ATTRIBUTE_HIDDEN);

    MakeFolders(t + "\\Ελληνικά\\λέξη");
    MakeFolders(t + "\\日本語\\子");
    MakeFolder(t + "\\emoji 😀");
    MakeFolder(t + "\\café");
    MakeFolders(t + "\\trailing blank \\inside blank");
    MakeFolders(t + "\\trailing dot.\\inside dot");

    std::string deep = t + "\\deep";
    for (int level = 1; level <= 10; ++level)
        deep += "\\d" + std::to_string(level);
    MakeFolders(deep);
    return t;
}

const AwkwardTreeNames& AwkwardNames() {
    static const AwkwardTreeNames names{
        {"Hidden in Alpha", "never", "System", "innermost", "Both", "inside both"},
        {"file at top.txt\\", "Alpha\\file.txt\\", "hidden file\\"},
        {"Read Only\\below read only\\", "Ελληνικά\\", "Ελληνικά\\λέξη\\", "日本語\\子\\",
         "emoji 😀\\", "café\\", "trailing blank \\", "trailing blank \\inside blank\\",
         "trailing dot.\\", "trailing dot.\\inside dot\\",
         "deep\\d1\\d2\\d3\\d4\\d5\\d6\\d7\\d8\\d9\\d10\\"},
    };
    return names;
}

}  // namespace quorvane::test
