#include "support/fixture_tree.h"

#include <windows.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "support/wide_text.h"

namespace quorvane::test {

namespace {

[[noreturn]] void fail(const std::string& what, const std::string& path) {
    throw std::runtime_error(LastErrorText(what, path));
}

// Wine's way from a Windows path to the path of the Unix file system, which only Wine has.
using UnixFileNameOf = char*(CDECL*)(LPCWSTR);
UnixFileNameOf wineUnixFileName() {
    static const auto found = reinterpret_cast<UnixFileNameOf>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    return found;
}

// The Unix path of the existing folder `folder` followed by `name`.
std::string unixPath(const std::string& folder, const std::string& name) {
    char* path = wineUnixFileName()(Wide(folder).c_str());
    if (!path) fail("wine_get_unix_file_name", folder);
    std::string unix(path);
    HeapFree(GetProcessHeap(), 0, path);
    return unix + "/" + name;
}

// Runs a program of the Unix system, as Wine does for the \\?\unix\ form of its path, and
// waits until `done` says it has done its work: Wine gives no handle to wait for it by.
void runUnix(const std::string& program, const std::vector<std::string>& arguments,
             const std::function<bool()>& done) {
    std::wstring command = L"\"" + Wide(program) + L"\"";
    for (const std::string& argument : arguments)
        command += L" \"" + Wide(argument) + L"\"";
    std::wstring path = L"\\\\?\\unix" + Wide(program);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        fail("CreateProcessW", program);
    }
    if (process.hThread) CloseHandle(process.hThread);
    if (process.hProcess) CloseHandle(process.hProcess);
    for (int waited = 0; !done(); waited += 10) {
        if (waited > 20000)
            throw std::runtime_error(program + " did nothing to " + arguments.back());
        Sleep(10);
    }
}

bool exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// `path` split into its folder and its name.
std::pair<std::string, std::string> folderAndName(const std::string& path) {
    const size_t separator = path.find_last_of('\\');
    return {path.substr(0, separator), path.substr(separator + 1)};
}

// A link of the Unix file system is removed as itself; Windows' calls would remove, or fail
// to remove, the folder it leads to.
void removeLink(const std::wstring& path) {
    if (!wineUnixFileName()) {
        RemoveDirectoryW(path.c_str());
        return;
    }
    const auto [folder, name] = folderAndName(Narrow(path));
    runUnix("/bin/rm", {"-f", "--", unixPath(folder, name)}, [&] { return !exists(path); });
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
                removeLink(path);
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

void MakeLink(const std::string& path, const std::string& target) {
    if (wineUnixFileName()) {
        // Under Wine, a link of the Unix file system, as a user's tree would hold: Wine shows
        // it as a folder.
        const bool absolute = target.size() >= 2 && (target[1] == ':' || target[0] == '\\');
        std::string unixTarget = target;
        if (absolute) {
            const auto [folder, name] = folderAndName(target);
            unixTarget = unixPath(folder, name);
        }
        std::replace(unixTarget.begin(), unixTarget.end(), '\\', '/');
        const auto [folder, name] = folderAndName(path);
        runUnix("/bin/ln", {"-s", "--", unixTarget, unixPath(folder, name)},
                [&] { return exists(LongForm(path)); });
        return;
    }
    if (!CreateSymbolicLinkW(
            LongForm(path).c_str(), Wide(target).c_str(),
            SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE)) {
        fail("CreateSymbolicLinkW", path);
    }
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
