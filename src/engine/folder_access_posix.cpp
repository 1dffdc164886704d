#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/resource.h>
#ifdef __linux__
#include <sys/vfs.h>
#endif
#include <sys/stat.h>
#include <unistd.h>

#ifdef __linux__
#include <linux/openat2.h>
#include <sys/syscall.h>
#endif

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <memory>
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
// (when they are followed) and entries of unknown type cost a stat. An entry whose type cannot
// be read at all counts as a folder: its own listing will then fail, be reported and add
// nothing.
EntryKind classify(int dirFd, const char* name, unsigned char type, bool followLinks) {
    switch (type) {
        case DT_DIR:
            return EntryKind::Folder;
        case DT_LNK:
            return followLinks && leadsToFolder(dirFd, name) ? EntryKind::LinkToFolder
                                                             : EntryKind::Other;
        case DT_UNKNOWN: {
            struct stat st;
            if (fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return EntryKind::Folder;
            if (S_ISDIR(st.st_mode)) return EntryKind::Folder;
            if (S_ISLNK(st.st_mode) && followLinks && leadsToFolder(dirFd, name)) {
                return EntryKind::LinkToFolder;
            }
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
        const EntryKind kind = classify(handle_, name, type, rules().followLinks);
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

// The kernel's way of keeping an open on one volume, where it has one.
#ifdef __linux__
int openStayingOnVolume(int dirFd, const char* name, int flags) {
    open_how how{};
    how.flags = static_cast<std::uint64_t>(flags);
    how.resolve = RESOLVE_NO_XDEV;
    return static_cast<int>(syscall(SYS_openat2, dirFd, name, &how, sizeof how));
}
#endif

// Whether openat2 with RESOLVE_NO_XDEV works here: unknown until first tried.
enum class Crossings { Unknown, Refused, NotRefused };
std::atomic<Crossings> crossings{Crossings::Unknown};

// getdents64 reads into this, one buffer for each thread, kept for its life: off the stack, so
// the walk runs wherever the stack is small (ulimit -s 16), and allocated once per thread.
constexpr size_t kReadBufferBytes = 32 * 1024;
char* readBuffer() {
    thread_local const std::unique_ptr<char[]> buffer(new char[kReadBufferBytes]);
    return buffer.get();
}

// What stays free of the limit for counting beyond the open ones: enough for any walk.
constexpr size_t kMostCounted = size_t{1} << 20;

}  // namespace

void HeldFolder::close() {
    if (descriptor_ >= 0) ::close(descriptor_);
    descriptor_ = -1;
    held_ = false;
}

void HeldFolder::swap(HeldFolder& other) noexcept {
    std::swap(descriptor_, other.descriptor_);
    std::swap(held_, other.held_);
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

Status OpenParentOf(const HeldFolder& folder, HeldFolder& parent) {
    const int handle = openat(folder.descriptor(), "..", kFolderFlags | O_NOFOLLOW);
    if (handle < 0) return lastError();
    parent = HeldFolder(handle);
    return {};
}

Status DuplicateFolder(const HeldFolder& folder, HeldFolder& copy) {
    const int handle = fcntl(folder.descriptor(), F_DUPFD_CLOEXEC, 0);
    if (handle < 0) return lastError();
    copy = HeldFolder(handle);
    return {};
}

Status OpenSubfolder(const HeldFolder& parent, std::string_view name, SubfolderOpening how,
                     HeldFolder& folder) {
    const NameText text(name);
    const int flags = kFolderFlags | (how.throughLink ? 0 : O_NOFOLLOW);
    int handle = -1;
#ifdef __linux__
    if (how.stayOnVolume && crossings.load(std::memory_order_relaxed) == Crossings::Refused) {
        handle = openStayingOnVolume(parent.descriptor(), text.c_str(), flags);
    } else {
        handle = openat(parent.descriptor(), text.c_str(), flags);
    }
#else
    handle = openat(parent.descriptor(), text.c_str(), flags);
#endif
    if (handle < 0) return lastError();
    folder = HeldFolder(handle);
    return {};
}

bool KernelRefusesCrossings(const HeldFolder& target) {
#ifdef __linux__
    Crossings known = crossings.load(std::memory_order_relaxed);
    if (known == Crossings::Unknown) {
        // Refused by seccomp filters (EPERM) or unknown to old kernels (ENOSYS) alike.
        const int handle = openStayingOnVolume(target.descriptor(), ".", kFolderFlags);
        known = handle >= 0 ? Crossings::Refused : Crossings::NotRefused;
        if (handle >= 0) {
            ::close(handle);
        } else if (IsShortage(lastError())) {
            return false;  // not known yet: this walk asks each folder's device
        }
        crossings.store(known, std::memory_order_relaxed);
    }
    return known == Crossings::Refused;
#else
    (void)target;
    return false;
#endif
}

bool RefusedCrossing(Status status) {
    return status.code() == EXDEV;
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
    char* const buffer = readBuffer();
    EntryReader reader(folder.descriptor(), contents, settings);
    // The first block is where a disk read for the first time makes the walk wait.
    WaitMeter* meter = settings.meter;
    for (;;) {
        if (meter) meter->begin();
        const ssize_t got = getdents64(folder.descriptor(), buffer, kReadBufferBytes);
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

Status RewindFolder(const HeldFolder& folder) {
    if (lseek(folder.descriptor(), 0, SEEK_SET) < 0) return lastError();
    return {};
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

bool WaitsToldByTime(const HeldFolder& target) {
#ifdef __linux__
    // The magic numbers of statfs(2): NFS, SMB, CIFS and SMB2, FUSE (sshfs, and the file
    // systems whose daemon reads the device itself), 9P, Ceph, AFS, Coda, NCP, Lustre.
    static constexpr unsigned long kNetworkTypes[] = {
        0x6969,     0x517B,     0xFF534D42, 0xFE534D42, 0x65735546, 0x01021997,
        0x00C36400, 0x5346414F, 0x73757245, 0x564C,     0x0BD00BD0,
    };
    struct statfs volume {};
    if (fstatfs(target.descriptor(), &volume) != 0) return false;
    const auto type = static_cast<unsigned long>(volume.f_type);
    return std::find(std::begin(kNetworkTypes), std::end(kNetworkTypes), type) !=
           std::end(kNetworkTypes);
#else
    (void)target;
    return true;
#endif
}

size_t FreeDescriptors() {
    rlimit limit{};
    size_t soft = kMostCounted;
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
        soft = std::min<size_t>(limit.rlim_cur, kMostCounted);
    }
    size_t open = 0;
    if (DIR* fds = opendir("/proc/self/fd")) {
        while (const struct dirent* entry = readdir(fds))
            open += entry->d_name[0] != '.';
        closedir(fds);
        open -= open > 0;  // the listing's own
    } else if (errno == EMFILE || errno == ENFILE) {
        return 0;
    } else {
        // No /proc: ask each number in turn, as far as a walk could use.
        for (int fd = 0; static_cast<size_t>(fd) < std::min<size_t>(soft, 1 << 16); ++fd)
            open += fcntl(fd, F_GETFD) >= 0;
    }
    return soft > open ? soft - open : 0;
}

bool IsShortage(Status status) {
    const int code = status.code();
    return status.failure() == Status::Failure::System &&
           (code == EMFILE || code == ENFILE || code == ENOMEM);
}

void FormChainPath(std::string& path, const ChainLevelPath& parent, std::string_view name) {
    path.resize(parent.end);
    path.append(name).push_back('/');
}

std::string_view ChainPathOf(const std::string& path, const ChainLevelPath& level) {
    return std::string_view(path).substr(0, level.end);
}

void RecordChainPath(const std::string& path, ChainLevelPath& level) {
    level.end = path.size();
}

void RestoreChainPath(std::string& path, const ChainLevelPath& level) {
    path.resize(level.end);
}

size_t LongestOpenedPath() {
    return PATH_MAX;
}

Status FolderMovedStatus() {
    return Status::system(ENOENT);
}

}  // namespace quorvane
