#ifdef _WIN32

#include <windows.h>

#include "engine/extended_length_path.h"
#include "engine/folder_listing.h"
#include "engine/native_text.h"

namespace quorvane {

namespace {

// Opens the folder itself (following a link to where it leads) only to read its volume's
// serial number and its file index, the pair that names it whichever path reaches it.
std::optional<FolderIdentity> identityOfPath(const std::wstring& path) {
    HANDLE file =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info;
    const bool ok = GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    if (!ok) return std::nullopt;
    return FolderIdentity{info.dwVolumeSerialNumber,
                          (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

// A junction, a volume mount point or a symbolic link: a reparse point whose tag says that it
// stands for another name. Other reparse points (cloud placeholders, deduplicated files) are
// the folder itself.
bool isLink(const WIN32_FIND_DATAW& data) {
    return (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
           IsReparseTagNameSurrogate(data.dwReserved0);
}

}  // namespace

FolderListing::FolderListing() = default;
FolderListing::~FolderListing() = default;

void FolderListing::releaseHandle() {}

int FolderListing::list(const std::string& path, const FolderListing* /*parent*/,
                        std::string_view /*name*/, YieldHook* yield,
                        std::optional<std::uint64_t> requiredDevice) {
    clear();
    path_ = path;
    if (requiredDevice) {
        const auto self = identity();
        if (self && self->device != *requiredDevice) return kOtherVolume;
    }
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
        yieldTo(yield);
        const DWORD attributes = data.dwFileAttributes;
        const std::wstring_view name = data.cFileName;
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) &&
            !(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) && name != L"." &&
            name != L"..") {
            utf8.clear();
            AppendFromNativePath(utf8, name);
            add(utf8, isLink(data));
        }
        if (!FindNextFileW(find, &data)) {
            error = GetLastError();
            break;
        }
    }
    FindClose(find);
    return error == ERROR_NO_MORE_FILES ? 0 : static_cast<int>(error);
}

std::optional<FolderIdentity> FolderListing::subfolderIdentity(size_t i) const {
    return identityOfPath(ToExtendedLengthPath(path_ + std::string(name(i))));
}

std::optional<FolderIdentity> FolderListing::identity() const {
    return identityOfPath(ToExtendedLengthPath(path_));
}

}  // namespace quorvane

#endif
