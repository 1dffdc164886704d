#include <windows.h>

#include <cstdint>
#include <memory>

#include "engine/extended_length_path.h"
#include "engine/folder_access.h"
#include "engine/path_rules.h"
#include "text/native_text.h"

namespace quorvane {

namespace {

// A junction, a volume mount point or a symbolic link: a reparse point whose tag says that it
// stands for another name. Other reparse points (cloud placeholders, deduplicated files) are
// the folder itself. Wine marks a link of the Unix file system as a reparse point without a
// tag, which no reparse point of Windows has.
bool isLink(DWORD attributes, DWORD tag) {
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
           (IsReparseTagNameSurrogate(tag) || tag == 0);
}

// The listing counts 100 ns steps since 1601; the facts count seconds since 1970.
std::int64_t secondsSinceEpoch(const LARGE_INTEGER& time) {
    return time.QuadPart / 10000000 - 11644473600;
}

// What one call of the listing fills: as much as FindFirstFileEx takes for a large fetch.
constexpr DWORD kListingBytes = 64 * 1024;

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

// The folder is listed through a handle of its own, which gives each entry's file number
// beside its name: so the walk knows which folder each subfolder is without opening it.
Status ReadSubfolders(const HeldFolder& folder, FolderContents& contents,
                      const ReadSettings& settings) {
    static const ListingRules kNone;
    const ListingRules& rules = settings.rules ? *settings.rules : kNone;
    contents.clear();
    if (settings.meter) settings.meter->begin();
    HANDLE directory = CreateFileW(ToExtendedLengthPath(folder.path()).c_str(), FILE_LIST_DIRECTORY,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (directory == INVALID_HANDLE_VALUE) {
        if (settings.meter) settings.meter->end();
        const DWORD error = GetLastError();
        // What a search of the folder's entries says of a folder that is not there.
        return Status::system(
            static_cast<int>(error == ERROR_FILE_NOT_FOUND ? ERROR_PATH_NOT_FOUND : error));
    }
    const auto buffer = std::make_unique<std::uint64_t[]>(kListingBytes / sizeof(std::uint64_t));
    const bool facts = rules.facts != FactsWanted::None;
    std::string utf8;
    std::string relativePath;
    FILE_INFO_BY_HANDLE_CLASS request = FileIdBothDirectoryRestartInfo;
    DWORD error = ERROR_SUCCESS;
    for (;;) {
        const bool filled =
            GetFileInformationByHandleEx(directory, request, buffer.get(), kListingBytes);
        if (!filled) error = GetLastError();
        if (settings.meter && request == FileIdBothDirectoryRestartInfo) settings.meter->end();
        if (!filled) break;
        request = FileIdBothDirectoryInfo;
        const auto* bytes = reinterpret_cast<const unsigned char*>(buffer.get());
        for (;;) {
            const auto& entry = *reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(bytes);
            ++contents.entriesSeen;
            yieldTo(settings.yield);
            const DWORD attributes = entry.FileAttributes;
            const std::wstring_view name(entry.FileName, entry.FileNameLength / sizeof(wchar_t));
            if (name == L".") {
                if (facts) contents.facts.modified = secondsSinceEpoch(entry.LastWriteTime);
            } else if (name != L"..") {
                if (facts) ++contents.facts.entries;
                const bool hidden = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
                const bool isFolder = attributes & FILE_ATTRIBUTE_DIRECTORY;
                if (hidden && !rules.hidden) {
                    // neither listed nor counted
                } else if (isFolder && (rules.followLinks || !isLink(attributes, entry.EaSize))) {
                    utf8.clear();
                    AppendFromNativePath(utf8, name);
                    if (!excluded(rules, settings.relativePrefix, utf8, relativePath)) {
                        // A reparse point's tag is where the size of extended attributes is.
                        contents.add(utf8, isLink(attributes, entry.EaSize),
                                     static_cast<std::uint64_t>(entry.FileId.QuadPart));
                    }
                } else if (facts) {
                    ++contents.facts.files;
                    contents.facts.bytes += static_cast<std::uint64_t>(entry.EndOfFile.QuadPart);
                }
            }
            if (entry.NextEntryOffset == 0) break;
            bytes += entry.NextEntryOffset;
        }
    }
    CloseHandle(directory);
    contents.sort(rules.order);
    contents.facts.folders = contents.count();
    // A drive root has no "." entry, so an empty one lists as "no file found".
    return error == ERROR_NO_MORE_FILES || error == ERROR_FILE_NOT_FOUND
               ? Status()
               : Status::system(static_cast<int>(error));
}

// Volumes join the tree at junctions, but a link need not show as one (Wine shows many links
// of the Unix file system as plain folders), so which folder each one is is always asked. Its
// parent's listing tells it (ReadSubfolders), so that costs nothing.
MountPoints MountPointsBelow(const HeldFolder&) {
    return MountPoints::Unknown();
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
