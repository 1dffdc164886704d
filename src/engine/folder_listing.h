#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/folder_identity.h"
#include "engine/yield_hook.h"

namespace quorvane {

// The visible subfolders of one folder, in the order the file system lists them, and the
// operating-system handle that lets the walk open those subfolders relative to it.
//
// One implementation per platform: POSIX reads entries with getdents64 and their types from
// d_type, and never stats a plain folder entry; Windows uses FindFirstFileExW with basic
// information and large fetch. Hidden entries (a leading '.' on POSIX, the hidden or system
// attribute on Windows) are left out. A listing object is reused for many folders so that its
// name storage is allocated once.
class FolderListing {
  public:
    static constexpr int kOtherVolume = -1;
    // On Windows another volume is mounted on a reparse point, so only a folder reached
    // through a link can lie on another volume; on POSIX any folder may be a mount point.
#ifdef _WIN32
    static constexpr bool kVolumesJoinOnlyAtLinks = true;
#else
    static constexpr bool kVolumesJoinOnlyAtLinks = false;
#endif

    FolderListing();
    ~FolderListing();
    FolderListing(const FolderListing&) = delete;
    FolderListing& operator=(const FolderListing&) = delete;

    // Lists the folder `path` (folder path form). When `parent` still holds its handle, the
    // folder is opened as `name` relative to it, which spares the kernel the full path.
    // Calls `yield` once at the start and once per directory entry. Returns 0, or the system
    // error code when the folder cannot be opened or read; a failed listing holds no names.
    // With `requiredDevice`, a folder on another device (a volume mounted inside the tree) is
    // not read, and the result is kOtherVolume.
    int list(const std::string& path, const FolderListing* parent, std::string_view name,
             YieldHook* yield, std::optional<std::uint64_t> requiredDevice = std::nullopt);

    size_t count() const {
        return ends_.size();
    }
    std::string_view name(size_t i) const;
    // True when subfolder i is reached through a link (a symbolic link, or a junction on
    // Windows): only such entries can lead back into a folder the walk is already inside.
    bool throughLink(size_t i) const {
        return links_[i];
    }

    // The identity of subfolder i, or nothing when it cannot be read.
    std::optional<FolderIdentity> subfolderIdentity(size_t i) const;
    // The identity of the listed folder itself, or nothing when it cannot be read.
    std::optional<FolderIdentity> identity() const;

    // Gives up the handle kept for opening subfolders; the names stay.
    void releaseHandle();

  private:
    void clear();
    void add(std::string_view name, bool throughLink);

    std::string path_;
    std::string names_;
    std::vector<unsigned> ends_;
    std::vector<bool> links_;
    int handle_ = -1;  // an open directory descriptor on POSIX; unused on Windows
};

}  // namespace quorvane
