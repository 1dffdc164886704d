#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "output/atomic_file.h"
#include "output/new_file.h"
#include "output/output_target.h"

namespace quorvane {

namespace {

// The folder that holds `file`.
std::string FolderOf(const std::string& file) {
    const size_t slash = file.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : file.substr(0, slash);
}

}  // namespace

Status AtomicFile::fail(int code) {
    if (failure_.ok()) failure_ = Status::system(code != 0 ? code : EIO);
    discard();
    return failure_;
}

void AtomicFile::discard() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    if (!temporary_.empty()) std::remove(temporary_.c_str());
    temporary_.clear();
    pending_.forget();
}

Status AtomicFile::open() {
    OutputTarget where;
    if (const Status status = ResolveOutputTarget(target_, where); !status.ok()) {
        return fail(status.code());
    }
    destination_ = where.file;
    inPlace_ = where.inPlace;
    if (inPlace_ && writes_ == Writes::WithOverwrites) return openAside();
    if (inPlace_) {
        // O_TRUNC leaves devices and pipes alone; without O_CREAT nothing new appears.
        const int descriptor =
            ::open(destination_.c_str(), O_WRONLY | O_TRUNC | O_NOCTTY | O_CLOEXEC);
        if (descriptor < 0) return fail(errno);
        return useDescriptor(descriptor);
    }
    // A file without a name until it is complete: whatever ends the program meanwhile, even
    // SIGKILL, leaves nothing behind. It is given a name at commit() through /proc/self/fd. Where
    // the file system or the kernel cannot make one, or /proc is not there, a partial file beside
    // the target is written instead.
    if (access("/proc/self/fd", X_OK) == 0) {
        const int descriptor =
            ::open(FolderOf(destination_).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (descriptor >= 0) {
            // Watched, so that commit() knows when the program's end has come first.
            pending_ = PendingFile(std::string());
            return useDescriptor(descriptor);
        }
    }
    for (int attempt = 0; attempt < 100 && !file_; ++attempt) {
        temporary_ = temporaryNameFor(destination_);
        errno = 0;
        // "x": the name must be new, so two writers never share a partial file.
        file_ = std::fopen(temporary_.c_str(), "wbx");
        if (!file_ && errno != EEXIST) break;
    }
    if (!file_) {
        temporary_.clear();
        return fail(errno);
    }
    pending_ = PendingFile(temporary_);
    std::setvbuf(file_, nullptr, _IOFBF, 1 << 16);
    return {};
}

Status AtomicFile::useDescriptor(int descriptor) {
    file_ = fdopen(descriptor, "wb");
    if (!file_) {
        const int error = errno;
        close(descriptor);
        return fail(error);
    }
    std::setvbuf(file_, nullptr, _IOFBF, 1 << 16);
    return {};
}

Status AtomicFile::write(std::string_view bytes) {
    if (!file_) return notOpen();
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) return fail(errno);
    size_ += bytes.size();
    return {};
}

Status AtomicFile::overwrite(std::uint64_t offset, std::string_view bytes) {
    if (!file_) return notOpen();
    if (offset + bytes.size() > size_) return fail(EINVAL);
    if (std::fflush(file_) != 0) return fail(errno);
    while (!bytes.empty()) {
        const ssize_t written =
            pwrite(fileno(file_), bytes.data(), bytes.size(), static_cast<off_t>(offset));
        if (written <= 0) return fail(written < 0 ? errno : EIO);
        bytes.remove_prefix(static_cast<size_t>(written));
        offset += static_cast<std::uint64_t>(written);
    }
    return {};
}

Status AtomicFile::commit() {
    if (!file_) return notOpen();
    // The program is ending and has removed its partial files: nothing may appear now.
    if (pending_.removed()) return fail(ECANCELED);
    errno = 0;
    if (std::fflush(file_) != 0) return fail(errno);
    if (builtAside_) return copyAside();
    if (inPlace_) {
        // Devices and pipes have nothing to sync and keep their own permissions.
        const int closed = std::fclose(file_);
        file_ = nullptr;
        return closed == 0 ? Status() : fail(errno);
    }
    // A replaced file keeps its permissions; a new one gets the usual ones for this user.
    struct stat existing;
    if (stat(destination_.c_str(), &existing) == 0) {
        fchmod(fileno(file_), existing.st_mode & 07777);
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        fchmod(fileno(file_), 0666 & ~mask);
    }
    if (fsync(fileno(file_)) != 0) return fail(errno);
    if (temporary_.empty()) {
        if (const Status named = nameUnnamedFile(); !named.ok()) return fail(named.code());
    }
    const int closed = std::fclose(file_);
    file_ = nullptr;
    if (closed != 0) return fail(errno);
    std::error_code renameError;
    std::filesystem::rename(temporary_, destination_, renameError);
    if (renameError) return fail(renameError.value());
    temporary_.clear();
    pending_.forget();
    return {};
}

Status AtomicFile::openAside() {
    std::string folder;
    if (const Status found = TemporaryFolder(folder); !found.ok()) return fail(found.code());
    int descriptor = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    // Where the file system makes no file without a name, a new one loses its name at once.
    for (int attempt = 0; descriptor < 0 && attempt < 100; ++attempt) {
        const std::string name = temporaryNameFor(folder + "/quorvane");
        // Registered before it exists, so that a signal never finds it unregistered.
        const PendingFile pending(name);
        descriptor = ::open(name.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, 0600);
        if (descriptor >= 0) {
            unlink(name.c_str());
        } else if (errno != EEXIST) {
            break;
        }
    }
    if (descriptor < 0) return fail(errno);
    builtAside_ = true;
    return useDescriptor(descriptor);
}

Status AtomicFile::copyAside() {
    // O_TRUNC leaves devices and pipes alone; without O_CREAT nothing new appears.
    const int target = ::open(destination_.c_str(), O_WRONLY | O_TRUNC | O_NOCTTY | O_CLOEXEC);
    if (target < 0) return fail(errno);
    std::string block(size_t{1} << 16, '\0');
    int error = 0;
    for (std::uint64_t at = 0; at < size_ && error == 0;) {
        const ssize_t got =
            pread(fileno(file_), block.data(), block.size(), static_cast<off_t>(at));
        if (got <= 0) {
            error = got < 0 ? errno : EIO;
            break;
        }
        at += static_cast<std::uint64_t>(got);
        for (ssize_t done = 0; done < got;) {
            const ssize_t wrote =
                ::write(target, block.data() + done, static_cast<size_t>(got - done));
            if (wrote < 0 && errno == EINTR) continue;
            if (wrote <= 0) {
                error = wrote < 0 ? errno : EIO;
                break;
            }
            done += wrote;
        }
    }
    if (::close(target) != 0 && error == 0 && errno != EINTR) error = errno;
    if (error != 0) return fail(error);
    std::fclose(file_);
    file_ = nullptr;
    return {};
}

Status AtomicFile::nameUnnamedFile() {
    // A link cannot replace a file, so the complete file gets a new name beside the target
    // first, and that is renamed onto it: only in that instant does a name of its own exist.
    const std::string self = "/proc/self/fd/" + std::to_string(fileno(file_));
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = temporaryNameFor(destination_);
        // Registered before it exists, so that a signal never finds it unregistered.
        pending_ = PendingFile(name);
        if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            temporary_ = name;
            return {};
        }
        const int error = errno;
        pending_.forget();
        if (error != EEXIST) return Status::system(error);
    }
    return Status::system(EEXIST);
}

}  // namespace quorvane
