#include <windows.h>

#include <cstdint>

#include "engine/extended_length_path.h"
#include "engine/folder_access.h"
#include "engine/path_rules.h"
#include "text/native_text.h"

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

void HeldFolder::close() {
    path_.clear();
    held_ = false;
}

void HeldFolder::swap(HeldFolder& other) noexcept {
    path_.swap(other.path_);
    std::swap(held_, other.held_);
}

// The listing calls take the path, so holding a folder is keeping its path; whether it can be
// read shows when it is.
Status OpenFolderPath(const std::string& path, HeldFolder& folder) {
    folder = HeldFolder(path);
    return {};
}

Status OpenFolderBelow(const HeldFolder& at, const std::string& relativePath, HeldFolder& folder) {
    folder = HeldFolder(at.path() + relativePath);
    return {};
}

Status OpenParentOf(const HeldFolder& folder, HeldFolder& parent) {
    std::string path = folder.path();
    if (!path.empty()) path.pop_back();
    const size_t separator = path.find_last_of(kSeparator);
    if (separator == std::string::npos) return Status::system(ERROR_PATH_NOT_FOUND);
    path.resize(separator + 1);
    parent = HeldFolder(std::move(path));
    return {};
}

Status DuplicateFolder(const HeldFolder& folder, HeldFolder& copy) {
    copy = HeldFolder(folder.path());
    return {};
}

// Volumes join the tree at junctions, which the walk identifies as it does every link.
Status OpenSubfolder(const HeldFolder& parent, std::string_view name, SubfolderOpening,
                     HeldFolder& folder) {
    std::string path;
    FormSubfolderPath(path, parent.path(), name);
    folder = HeldFolder(std::move(path));
    return {};
}

bool KernelRefusesCrossings(const HeldFolder&) {
    return false;
}

bool RefusedCrossing(Status) {
    return false;
}

std::optional<FolderIdentity> IdentityOf(const HeldFolder& folder) {
    HANDLE file = CreateFileW(ToExtendedLengthPath(folder.path()).c_str(), 0,
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

Status ReadSubfolders(const HeldFolder& folder, FolderContents& contents,
                      const ReadSettings& settings) {
    static const ListingRules kNone;
    const ListingRules& rules = settings.rules ? *settings.rules : kNone;
    contents.clear();
    const std::wstring pattern = ToExtendedLengthPath(folder.path()) + L"*";
    WIN32_FIND_DATAW data;
    if (settings.meter) settings.meter->begin();
    HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (settings.meter) settings.meter->end();
    if (find == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // A drive root has no "." entry, so an empty one lists as "no file found".
        return error == ERROR_FILE_NOT_FOUND ? Status() : Status::system(static_cast<int>(error));
    }
    const bool facts = rules.facts != FactsWanted::None;
    std::string utf8;
    std::string relativePath;
    DWORD error = ERROR_SUCCESS;
    for (;;) {
        ++contents.entriesSeen;
        yieldTo(settings.yield);
        const DWORD attributes = data.dwFileAttributes;
        const std::wstring_view name = data.cFileName;
        if (name == L".") {
            if (facts) contents.facts.modified = secondsSinceEpoch(data.ftLastWriteTime);
        } else if (name != L"..") {
            if (facts) ++contents.facts.entries;
            const bool hidden = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
            const bool isFolder = attributes & FILE_ATTRIBUTE_DIRECTORY;
            if (hidden && !rules.hidden) {
                // neither listed nor counted
            } else if (isFolder) {
                utf8.clear();
                AppendFromNativePath(utf8, name);
                if (!excluded(rules, settings.relativePrefix, utf8, relativePath)) {
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
    return error == ERROR_NO_MORE_FILES ? Status() : Status::system(static_cast<int>(error));
}

MountPoints MountPointsBelow(const HeldFolder&) {
    return MountPoints::None();
}

Status RewindFolder(const HeldFolder&) {
    return {};  // every read lists the folder anew
}

bool WaitsToldByTime(const HeldFolder&) {
    return true;
}

size_t FreeDescriptors() {
    return static_cast<size_t>(-1) / 4;
}

bool IsShortage(Status status) {
    const int code = status.code();
    return status.failure() == Status::Failure::System &&
           (code == ERROR_NOT_ENOUGH_MEMORY || code == ERROR_OUTOFMEMORY ||
            code == ERROR_TOO_MANY_OPEN_FILES || code == ERROR_NO_SYSTEM_RESOURCES);
}

void FormChainPath(std::string& path, const ChainLevelPath& parent, std::string_view name) {
    FormSubfolderPath(path, parent.own, name);
}

std::string_view ChainPathOf(const std::string&, const ChainLevelPath& level) {
    return level.own;
}

void RecordChainPath(const std::string& path, ChainLevelPath& level) {
    level.own = path;
}

void RestoreChainPath(std::string& path, const ChainLevelPath& level) {
    path = level.own;
}

// The extended-length form's limit.
size_t LongestOpenedPath() {
    return 32000;
}

Status FolderMovedStatus() {
    return Status::system(ERROR_PATH_NOT_FOUND);
}

}  // namespace quorvane
