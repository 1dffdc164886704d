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

int ReadSubfolders(const std::string& path, FolderContents& contents, YieldHook* yield) {
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
    std::string utf8;
    DWORD error = ERROR_SUCCESS;
    for (;;) {
        ++contents.entriesSeen;
        yieldTo(yield);
        const DWORD attributes = data.dwFileAttributes;
        const std::wstring_view name = data.cFileName;
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) &&
            !(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) && name != L"." &&
            name != L"..") {
            utf8.clear();
            AppendFromNativePath(utf8, name);
            contents.add(utf8, isLink(data));
        }
        if (!FindNextFileW(find, &data)) {
            error = GetLastError();
            break;
        }
    }
    FindClose(find);
    return error == ERROR_NO_MORE_FILES ? 0 : static_cast<int>(error);
}

FolderReadOutcome ReadFolderAtPath(const std::string& path, FolderContents& contents,
                                   std::optional<std::uint64_t> requiredDevice) {
    FolderReadOutcome outcome;
    if (requiredDevice) {
        outcome.identity = IdentityOfFolder(path);
        if (outcome.identity && outcome.identity->device != *requiredDevice) {
            contents.clear();
            outcome.error = kOtherVolume;
            return outcome;
        }
    }
    outcome.error = ReadSubfolders(path, contents, nullptr);
    return outcome;
}

std::size_t LongestPathReadAhead() {
    return 32000;  // the extended-length form's limit, less its prefix
}

}  // namespace quorvane

#endif
