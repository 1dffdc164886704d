#ifndef _WIN32

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "engine/folder_read.h"

namespace quorvane {

namespace {

bool leadsToFolder(int dirFd, const char* name) {
    struct stat st;
    return fstatat(dirFd, name, &st, 0) == 0 && S_ISDIR(st.st_mode);
}

enum class EntryKind { Other, Folder, LinkToFolder };

// Decides from the directory entry's type alone where the file system gives one; only links
// and entries of unknown type cost a stat. An entry whose type cannot be read at all counts
// as a folder: its own listing will then fail, be reported and add nothing.
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

void takeEntry(int handle, const char* name, unsigned char type, FolderContents& contents,
               YieldHook* yield) {
    ++contents.entriesSeen;
    yieldTo(yield);
    if (name[0] == '.') return;  // hidden, and "." and ".."
    const EntryKind kind = classify(handle, name, type);
    if (kind != EntryKind::Other) contents.add(name, kind == EntryKind::LinkToFolder);
}

}  // namespace

int OpenFolderAt(int at, const char* name) {
    return openat(at, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

std::optional<FolderIdentity> IdentityOfHandle(int handle) {
    struct stat st;
    if (fstat(handle, &st) != 0) return std::nullopt;
    return FolderIdentity{static_cast<std::uint64_t>(st.st_dev),
                          static_cast<std::uint64_t>(st.st_ino)};
}

int ReadSubfoldersWithReaddir(int handle, FolderContents& contents, YieldHook* yield) {
    // readdir takes the descriptor over, so it gets one of its own; the copy shares the read
    // position, which the walk never uses again.
    const int readFd = dup(handle);
    DIR* dir = readFd >= 0 ? fdopendir(readFd) : nullptr;
    if (!dir) {
        const int error = errno;
        if (readFd >= 0) close(readFd);
        return error;
    }
    int error = 0;
    for (;;) {
        // readdir tells the end from a failure only through errno, which the stats and the
        // yield of the previous entry may have set.
        errno = 0;
        const struct dirent* entry = readdir(dir);
        if (!entry) {
            error = errno;
            break;
        }
        takeEntry(handle, entry->d_name, entry->d_type, contents, yield);
    }
    closedir(dir);
    return error;
}

int ReadSubfolders(int handle, FolderContents& contents, YieldHook* yield) {
#ifdef __linux__
    // getdents64 straight into a buffer on the stack: fewer system calls than readdir, and the
    // entry types come with the names.
    alignas(struct dirent64) char buffer[32 * 1024];
    for (;;) {
        const ssize_t got = getdents64(handle, buffer, sizeof buffer);
        if (got < 0) return errno;  // keeps what was read: the listing just ends early
        if (got == 0) return 0;
        for (ssize_t offset = 0; offset < got;) {
            const auto* entry = reinterpret_cast<const struct dirent64*>(buffer + offset);
            offset += entry->d_reclen;
            takeEntry(handle, entry->d_name, entry->d_type, contents, yield);
        }
    }
#else
    return ReadSubfoldersWithReaddir(handle, contents, yield);
#endif
}

FolderReadOutcome ReadFolderAtPath(const std::string& path, FolderContents& contents,
                                   std::optional<std::uint64_t> requiredDevice) {
    contents.clear();
    FolderReadOutcome outcome;
    const int handle = OpenFolderAt(AT_FDCWD, path.c_str());
    if (handle < 0) {
        outcome.error = errno;
        return outcome;
    }
    outcome.identity = IdentityOfHandle(handle);
    if (requiredDevice && (!outcome.identity || outcome.identity->device != *requiredDevice)) {
        outcome.error = kOtherVolume;
    } else {
        outcome.error = ReadSubfolders(handle, contents, nullptr);
    }
    close(handle);
    return outcome;
}

std::size_t LongestPathReadAhead() {
    return PATH_MAX - 1;
}

}  // namespace quorvane

#endif
