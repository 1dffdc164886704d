#ifndef _WIN32

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "engine/folder_access.h"
#include "engine/mount_info.h"

namespace quorvane {

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

Status lastError() {
    return Status::system(errno != 0 ? errno : EIO);
}

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
    EntryReader(int handle, FolderContents& contents, const ReadSettings& settings)
        : handle_(handle), contents_(contents), settings_(settings) {
        contents_.clear();
        if (rules().facts != FactsWanted::None) {
            struct stat st;
            if (fstat(handle, &st) == 0) {
                contents_.facts.modified = static_cast<std::int64_t>(st.st_mtime);
            }
        }
    }

    void take(const char* name, unsigned char type) {
        ++contents_.entriesSeen;
        yieldTo(settings_.yield);
        const bool hidden = name[0] == '.';
        if (hidden && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) return;
        if (rules().facts != FactsWanted::None) ++contents_.facts.entries;
        if (hidden && !rules().hidden) return;
        const EntryKind kind = classify(handle_, name, type);
        if (kind == EntryKind::Other) {
            countFile(name);
        } else if (!excluded(name)) {
            contents_.add(name, kind == EntryKind::LinkToFolder);
        }
    }

    // The rules' order and the count of subfolders, once every entry is in.
    void finish() {
        contents_.sort(rules().order);
        contents_.facts.folders = contents_.count();
    }

  private:
    const ListingRules& rules() const {
        static const ListingRules kNone;
        return settings_.rules ? *settings_.rules : kNone;
    }

    void countFile(const char* name) {
        if (rules().facts == FactsWanted::None) return;
        ++contents_.facts.files;
        struct stat st;
        if (rules().facts == FactsWanted::CountsAndSize &&
            fstatat(handle_, name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
            contents_.facts.bytes += static_cast<std::uint64_t>(st.st_size);
        }
    }

    bool excluded(std::string_view name) {
        const FolderExclusion* exclude = rules().exclude;
        if (!exclude) return false;
        if (!exclude->needsPath()) return exclude->excludes(name, {});
        relativePath_.assign(settings_.relativePrefix).append(name);
        return exclude->excludes(name, relativePath_);
    }

    const int handle_;
    FolderContents& contents_;
    const ReadSettings& settings_;
    std::string relativePath_;
};

// A name as the system calls take it, ended by a NUL.
class NameText {
  public:
    explicit NameText(std::string_view name) {
        if (name.size() < sizeof(small_)) {
            name.copy(small_, name.size());
            small_[name.size()] = '\0';
            text_ = small_;
        } else {
            large_.assign(name);
            text_ = large_.c_str();
        }
    }
    const char* c_str() const { return text_; }

  private:
    char small_[NAME_MAX + 1];
    std::string large_;
    const char* text_;
};

}  // namespace

void HeldFolder::close() {
    if (descriptor_ >= 0) ::close(descriptor_);
    descriptor_ = -1;
}

size_t HeldFolder::memoryBytes() const {
    return 0;
}

void HeldFolder::swap(HeldFolder& other) noexcept {
    std::swap(descriptor_, other.descriptor_);
}

Status OpenFolderPath(const std::string& path, HeldFolder& folder) {
    const int handle = open(path.c_str(), kFolderFlags);
    if (handle < 0) return lastError();
    folder = HeldFolder(handle);
    return {};
}

Status OpenFolderBelow(const HeldFolder& at, const std::string& relativePath, HeldFolder& folder) {
    const int handle = openat(at.descriptor(), relativePath.c_str(), kFolderFlags);
    if (handle < 0) return lastError();
    folder = HeldFolder(handle);
    return {};
}

Status OpenSubfolder(const HeldFolder& parent, std::string_view name, bool throughLink,
                     HeldFolder& folder) {
    const NameText text(name);
    const int handle =
        openat(parent.descriptor(), text.c_str(), kFolderFlags | (throughLink ? 0 : O_NOFOLLOW));
    if (handle < 0) return lastError();
    folder = HeldFolder(handle);
    return {};
}

std::optional<FolderIdentity> IdentityOf(const HeldFolder& folder) {
    struct stat st;
    if (fstat(folder.descriptor(), &st) != 0) return std::nullopt;
    return FolderIdentity{static_cast<std::uint64_t>(st.st_dev),
                          static_cast<std::uint64_t>(st.st_ino)};
}

Status ReadSubfoldersWithReaddir(const HeldFolder& folder, FolderContents& contents,
                                 const ReadSettings& settings) {
    EntryReader reader(folder.descriptor(), contents, settings);
    // readdir takes the descriptor over, so it gets one of its own; the copy shares the read
    // position, which the walk never uses again.
    const int readFd = dup(folder.descriptor());
    DIR* dir = readFd >= 0 ? fdopendir(readFd) : nullptr;
    if (!dir) {
        const Status status = lastError();
        if (readFd >= 0) close(readFd);
        return status;
    }
    Status status;
    for (;;) {
        // readdir tells the end from a failure only through errno, which the stats and the
        // yield of the previous entry may have set.
        errno = 0;
        const struct dirent* entry = readdir(dir);
        if (!entry) {
            if (errno != 0) status = lastError();
            break;
        }
        reader.take(entry->d_name, entry->d_type);
    }
    closedir(dir);
    reader.finish();
    return status;
}

Status ReadSubfolders(const HeldFolder& folder, FolderContents& contents,
                      const ReadSettings& settings) {
#ifdef __linux__
    EntryReader reader(folder.descriptor(), contents, settings);
    // getdents64 straight into a buffer on the stack: fewer system calls than readdir, and the
    // entry types come with the names.
    alignas(struct dirent64) char buffer[32 * 1024];
    // The first block is where a disk read for the first time makes the walk wait.
    WaitMeter* meter = settings.meter;
    for (;;) {
        if (meter) meter->begin();
        const ssize_t got = getdents64(folder.descriptor(), buffer, sizeof buffer);
        if (meter) meter->end();
        meter = nullptr;
        if (got <= 0) {
            // What was read before a failure stays: the listing just ends early.
            const Status status = got < 0 ? lastError() : Status();
            reader.finish();
            return status;
        }
        for (ssize_t offset = 0; offset < got;) {
            const auto* entry = reinterpret_cast<const struct dirent64*>(buffer + offset);
            offset += entry->d_reclen;
            reader.take(entry->d_name, entry->d_type);
        }
    }
#else
    return ReadSubfoldersWithReaddir(folder, contents, settings);
#endif
}

MountPoints MountPointsBelow(const HeldFolder& target) {
#ifdef __linux__
    // The kernel's name of the folder held, links resolved, as the mount table writes paths.
    const std::string link = "/proc/self/fd/" + std::to_string(target.descriptor());
    std::string path(PATH_MAX, '\0');
    const ssize_t length = readlink(link.c_str(), path.data(), path.size());
    if (length <= 0 || static_cast<size_t>(length) >= path.size()) return MountPoints::Unknown();
    path.resize(static_cast<size_t>(length));
    return MountPoints::FromMountInfo(ReadMountInfo(), path);
#else
    (void)target;
    return MountPoints::Unknown();
#endif
}

size_t HeldFolderBudget() {
    rlimit limit{};
    rlim_t soft = 1024;
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
        soft = limit.rlim_cur;
    }
    // Half of what the limit leaves once the program's own files are counted.
    const long spare = static_cast<long>(std::min<rlim_t>(soft, 1 << 16)) - 64;
    return static_cast<size_t>(std::max(4L, spare / 2));
}

bool TooManyOpen(Status status) {
    return status.code() == EMFILE || status.code() == ENFILE;
}

}  // namespace quorvane

#endif
