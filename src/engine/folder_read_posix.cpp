#ifndef _WIN32

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

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

// One read's entries as they arrive, sorted out by the rules.
class EntryReader {
  public:
    EntryReader(int handle, FolderContents& contents, YieldHook* yield, const ListingRules& rules,
                std::string_view relativePrefix)
        : handle_(handle),
          contents_(contents),
          yield_(yield),
          rules_(rules),
          relativePrefix_(relativePrefix) {
        contents_.clear();
    }

    void take(const char* name, unsigned char type) {
        ++contents_.entriesSeen;
        yieldTo(yield_);
        const bool hidden = name[0] == '.';
        if (hidden && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) return;
        if (rules_.facts != FactsWanted::None) ++contents_.facts.entries;
        if (hidden && !rules_.hidden) return;
        const EntryKind kind = classify(handle_, name, type);
        if (kind == EntryKind::Other) {
            countFile(name);
        } else if (!excluded(name)) {
            contents_.add(name, kind == EntryKind::LinkToFolder);
        }
    }

    // The rules' order and the count of subfolders, once every entry is in.
    void finish() {
        contents_.sort(rules_.order);
        contents_.facts.folders = contents_.count();
    }

  private:
    void countFile(const char* name) {
        if (rules_.facts == FactsWanted::None) return;
        ++contents_.facts.files;
        struct stat st;
        if (rules_.facts == FactsWanted::CountsAndSize &&
            fstatat(handle_, name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
            contents_.facts.bytes += static_cast<std::uint64_t>(st.st_size);
        }
    }

    bool excluded(std::string_view name) {
        if (!rules_.exclude) return false;
        if (!rules_.exclude->needsPath()) return rules_.exclude->excludes(name, {});
        relativePath_.assign(relativePrefix_).append(name);
        return rules_.exclude->excludes(name, relativePath_);
    }

    const int handle_;
    FolderContents& contents_;
    YieldHook* yield_;
    const ListingRules& rules_;
    std::string_view relativePrefix_;
    std::string relativePath_;
};

}  // namespace

int OpenFolderAt(int at, const char* name) {
    return openat(at, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

std::optional<FolderIdentity> IdentityOfHandle(int handle, std::optional<std::int64_t>* modified) {
    struct stat st;
    if (fstat(handle, &st) != 0) return std::nullopt;
    if (modified) *modified = static_cast<std::int64_t>(st.st_mtime);
    return FolderIdentity{static_cast<std::uint64_t>(st.st_dev),
                          static_cast<std::uint64_t>(st.st_ino)};
}

int ReadSubfoldersWithReaddir(int handle, FolderContents& contents, YieldHook* yield,
                              const ListingRules& rules, std::string_view relativePrefix) {
    EntryReader reader(handle, contents, yield, rules, relativePrefix);
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
        reader.take(entry->d_name, entry->d_type);
    }
    closedir(dir);
    reader.finish();
    return error;
}

int ReadSubfolders(int handle, FolderContents& contents, YieldHook* yield,
                   const ListingRules& rules, std::string_view relativePrefix) {
#ifdef __linux__
    EntryReader reader(handle, contents, yield, rules, relativePrefix);
    // getdents64 straight into a buffer on the stack: fewer system calls than readdir, and the
    // entry types come with the names.
    alignas(struct dirent64) char buffer[32 * 1024];
    for (;;) {
        const ssize_t got = getdents64(handle, buffer, sizeof buffer);
        if (got <= 0) {
            // What was read before a failure stays: the listing just ends early.
            const int error = got < 0 ? errno : 0;
            reader.finish();
            return error;
        }
        for (ssize_t offset = 0; offset < got;) {
            const auto* entry = reinterpret_cast<const struct dirent64*>(buffer + offset);
            offset += entry->d_reclen;
            reader.take(entry->d_name, entry->d_type);
        }
    }
#else
    return ReadSubfoldersWithReaddir(handle, contents, yield, rules, relativePrefix);
#endif
}

FolderReadOutcome ReadFolderAtPath(const std::string& path, FolderContents& contents,
                                   std::optional<std::uint64_t> requiredDevice,
                                   const ListingRules& rules, std::string_view relativePrefix) {
    contents.clear();
    FolderReadOutcome outcome;
    const int handle = OpenFolderAt(AT_FDCWD, path.c_str());
    if (handle < 0) {
        outcome.error = errno;
        return outcome;
    }
    std::optional<std::int64_t> modified;
    outcome.identity = IdentityOfHandle(handle, &modified);
    if (requiredDevice && (!outcome.identity || outcome.identity->device != *requiredDevice)) {
        outcome.error = kOtherVolume;
    } else {
        outcome.error = ReadSubfolders(handle, contents, nullptr, rules, relativePrefix);
        contents.facts.modified = modified;
    }
    close(handle);
    return outcome;
}

std::size_t LongestPathReadAhead() {
    return PATH_MAX - 1;
}

}  // namespace quorvane

#endif
