#ifndef _WIN32

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "engine/folder_listing.h"

namespace quorvane {

namespace {

FolderIdentity identityOf(const struct stat& st) {
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

bool leadsToFolder(int dirFd, const char* name) {
    struct stat st;
    return fstatat(dirFd, name, &st, 0) == 0 && S_ISDIR(st.st_mode);
}

enum class EntryKind { Other, Folder, LinkToFolder };

// Decides from the directory entry's type alone where the file system gives one; only links
// and entries of unknown type cost a stat. An entry whose type cannot be read at all counts
// as a folder: its own listing will then fail and add nothing.
EntryKind classify(int dirFd, const char* name, unsigned char type) {
    switch (type) {
        case DT_DIR:
            return EntryKind::Folder;
        case DT_LNK:
            return leadsToFolder(dirFd, name) ? EntryKind::LinkToFolder : EntryKind::Other;
        case DT_UNKNOWN: {
            struct stat st;
            if (fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return EntryKind::Folder;
            if (S_ISDIR(st.st_mode)) return EntryKind::Folder;
            if (S_ISLNK(st.st_mode) && leadsToFolder(dirFd, name)) return EntryKind::LinkToFolder;
            return EntryKind::Other;
        }
        default:
            return EntryKind::Other;
    }
}

}  // namespace

FolderListing::FolderListing() = default;

FolderListing::~FolderListing() {
    releaseHandle();
}

void FolderListing::releaseHandle() {
    if (handle_ >= 0) close(handle_);
    handle_ = -1;
}

int FolderListing::list(const std::string& path, const FolderListing* parent, std::string_view name,
                        YieldHook* yield, std::optional<std::uint64_t> requiredDevice) {
    clear();
    releaseHandle();
    path_ = path;
    const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
    if (parent && parent->handle_ >= 0) {
        const std::string relative(name);
        handle_ = openat(parent->handle_, relative.c_str(), flags);
    } else {
        handle_ = open(path.c_str(), flags);
    }
    // Read before the yield, whose event handling may well change errno.
    const int openError = handle_ < 0 ? errno : 0;
    yieldTo(yield);
    if (handle_ < 0) return openError;
    if (requiredDevice) {
        const auto self = identity();
        if (!self || self->device != *requiredDevice) {
            releaseHandle();
            return kOtherVolume;
        }
    }

#ifdef __linux__
    // getdents64 straight into a buffer on the stack: fewer system calls than readdir, the
    // entry types come with the names, and no memory is held per level of the walk (the walk
    // is a loop, so only one listing is ever in progress).
    alignas(struct dirent64) char buffer[32 * 1024];
    for (;;) {
        const ssize_t got = getdents64(handle_, buffer, sizeof buffer);
        if (got < 0) return errno;  // keeps what was read: the listing just ends early
        if (got == 0) break;
        for (ssize_t offset = 0; offset < got;) {
            const auto* entry = reinterpret_cast<const struct dirent64*>(buffer + offset);
            offset += entry->d_reclen;
            yieldTo(yield);
            if (entry->d_name[0] == '.') continue;  // hidden, and "." and ".."
            const EntryKind kind = classify(handle_, entry->d_name, entry->d_type);
            if (kind != EntryKind::Other) add(entry->d_name, kind == EntryKind::LinkToFolder);
        }
    }
    return 0;
#else
    const int readFd = dup(handle_);
    DIR* dir = readFd >= 0 ? fdopendir(readFd) : nullptr;
    if (!dir) return errno;
    errno = 0;
    while (const struct dirent* entry = readdir(dir)) {
        yieldTo(yield);
        if (entry->d_name[0] == '.') continue;
        const EntryKind kind = classify(handle_, entry->d_name, entry->d_type);
        if (kind != EntryKind::Other) add(entry->d_name, kind == EntryKind::LinkToFolder);
    }
    const int error = errno;
    closedir(dir);
    return error;
#endif
}

std::optional<FolderIdentity> FolderListing::subfolderIdentity(size_t i) const {
    struct stat st;
    const std::string subfolder(name(i));
    const int rc = handle_ >= 0 ? fstatat(handle_, subfolder.c_str(), &st, 0)
                                : stat((path_ + subfolder).c_str(), &st);
    if (rc != 0) return std::nullopt;
    return identityOf(st);
}

std::optional<FolderIdentity> FolderListing::identity() const {
    struct stat st;
    const int rc = handle_ >= 0 ? fstat(handle_, &st) : stat(path_.c_str(), &st);
    if (rc != 0) return std::nullopt;
    return identityOf(st);
}

}  // namespace quorvane

#endif
