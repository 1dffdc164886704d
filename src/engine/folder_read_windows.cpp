#ifdef _WIN32

#include <windows.h>

#include "engine/extended_length_path.h"
#include "engine/folder_read.h"
#include "engine/native_text.h"

namespace quorvane {

namespace {

// A junction, a volume mount point or a symbolic link: a reparse point whose tag says that it
// stands for another name. Other reparse points (cloud placeholders, deduplicated files) are
// the folder itself.
bool isLink(const WIN32_FIND_DATAW& data) {
    return (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
           IsReparseTagNameSurrogate(data.dwReserved0);
}

// FILETIME counts 100 ns steps since 1601; the facts count seconds since 1970.
std::int64_t secondsSinceEpoch(const FILETIME& time) {
    const std::int64_t ticks =
        static_cast<std::int64_t>((std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime);
    return ticks / 10000000 - 11644473600;
}

bool excluded(const ListingRules& rules, std::string_view relativePrefix, std::string_view name,
              std::string& relativePath) {
    if (!rules.exclude) return false;
    if (!rules.exclude->needsPath()) return rules.exclude->excludes(name, {});
    relativePath.assign(relativePrefix).append(name);
    return rules.exclude->excludes(name, relativePath);
}

}  // namespace

std::optional<FolderIdentity> IdentityOfFolder(const std::string& path) {
    HANDLE file = CreateFileW(ToExtendedLengthPath(path).c_str(), 0,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info;
    const bool ok = GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    if (!ok) return std::nullopt;
    return FolderIdentity{info.dwVolumeSerialNumber,
                          (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

int ReadSubfolders(const std::string& path, FolderContents& contents, YieldHook* yield,
                   const ListingRules& rules, std::string_view relativePrefix) {
    contents.clear();
    const std::wstring pattern = ToExtendedLengthPath(path) + L"*";
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
    // Read before the yield, whose event handling may well change the last error.
    const DWORD openError = find == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
    yieldTo(yield);
    if (find == INVALID_HANDLE_VALUE) {
        // A drive root has no "." entry, so an empty one lists as "no file found".
        return openError == ERROR_FILE_NOT_FOUND ? 0 : static_cast<int>(openError);
    }
    const bool facts = rules.facts != FactsWanted::None;
    std::string utf8;
    std::string relativePath;
    DWORD error = ERROR_SUCCESS;
    for (;;) {
        ++contents.entriesSeen;
        yieldTo(yield);
        const DWORD attributes = data.dwFileAttributes;
        const std::wstring_view name = data.cFileName;
        if (name == L".") {
            if (facts) contents.facts.modified = secondsSinceEpoch(data.ftLastWriteTime);
        } else if (name != L"..") {
            if (facts) ++contents.facts.entries;
            const bool hidden = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
            const bool folder = attributes & FILE_ATTRIBUTE_DIRECTORY;
            if (hidden && !rules.hidden) {
                // neither listed nor counted
            } else if (folder) {
                utf8.clear();
                AppendFromNativePath(utf8, name);
                if (!excluded(rules, relativePrefix, utf8, relativePath)) {
                    contents.add(utf8, isLink(data));
                }
            } else if (facts) {
                ++contents.facts.files;
                contents.facts.bytes +=
                    (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
            }
        }
        if (!FindNextFileW(find, &data)) {
            error = GetLastError();
            break;
        }
    }
    FindClose(find);
    contents.sort(rules.order);
    contents.facts.folders = contents.count();
    return error == ERROR_NO_MORE_FILES ? 0 : static_cast<int>(error);
}

FolderReadOutcome ReadFolderAtPath(const std::string& path, FolderContents& contents,
                                   std::optional<std::uint64_t> requiredDevice,
                                   const ListingRules& rules, std::string_view relativePrefix) {
    FolderReadOutcome outcome;
    if (requiredDevice) {
        outcome.identity = IdentityOfFolder(path);
        if (outcome.identity && outcome.identity->device != *requiredDevice) {
            contents.clear();
            outcome.error = kOtherVolume;
            return outcome;
        }
    }
    outcome.error = ReadSubfolders(path, contents, nullptr, rules, relativePrefix);
    return outcome;
}

std::size_t LongestPathReadAhead() {
    return 32000;  // the extended-length form's limit, less its prefix
}

}  // namespace quorvane

#endif
