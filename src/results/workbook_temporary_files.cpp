#include "results/workbook_temporary_files.h"

#include <atomic>

#if defined(__GLIBC__)
#include <fcntl.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#endif

namespace quorvane {

namespace {

// The library packs the workbook on a thread of its own in the window, so the counts are
// atomic.
std::atomic<unsigned> failedWrites{0};
std::atomic<int> lastWriteError{0};

}  // namespace

TemporaryWriteFailures WorkbookTemporaryWriteFailures() {
    return {failedWrites.load(), lastWriteError.load()};
}

#if defined(__GLIBC__)

bool WatchesWorkbookTemporaryFiles() {
    return true;
}

namespace {

int DescriptorOf(void* cookie) {
    return static_cast<int>(reinterpret_cast<std::intptr_t>(cookie));
}

ssize_t ReadPart(void* cookie, char* buffer, size_t size) {
    ssize_t got;
    do {
        got = read(DescriptorOf(cookie), buffer, size);
    } while (got < 0 && errno == EINTR);
    return got;
}

ssize_t WritePart(void* cookie, const char* buffer, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t wrote = write(DescriptorOf(cookie), buffer + done, size - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) {
            lastWriteError.store(wrote < 0 ? errno : ENOSPC);
            failedWrites.fetch_add(1);
            break;
        }
        done += static_cast<size_t>(wrote);
    }
    // Fewer bytes than asked mark the stream as failed, which is all the library would see.
    return static_cast<ssize_t>(done);
}

int SeekPart(void* cookie, off64_t* offset, int whence) {
    const off64_t reached = lseek64(DescriptorOf(cookie), *offset, whence);
    if (reached < 0) return -1;
    *offset = reached;
    return 0;
}

int ClosePart(void* cookie) {
    return close(DescriptorOf(cookie));
}

// A file without a name in `folder`, so nothing of it is left however the program ends.
int OpenNamelessFile(const std::string& folder) {
    const int descriptor = open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (descriptor >= 0 || (errno != EOPNOTSUPP && errno != EISDIR)) return descriptor;
    std::string name = folder + "/quorvane-part-XXXXXX";
    const int named = mkostemp(name.data(), O_CLOEXEC);
    if (named >= 0) unlink(name.c_str());
    return named;
}

FILE* OpenWatchedTemporaryFile(const char* folderOrNull) {
    std::string folder;
    if (folderOrNull) {
        folder = folderOrNull;
    } else {
        std::error_code error;
        folder = std::filesystem::temp_directory_path(error).string();
        if (error) folder = P_tmpdir;
    }
    const int descriptor = OpenNamelessFile(folder);
    if (descriptor < 0) return nullptr;
    const cookie_io_functions_t functions{ReadPart, WritePart, SeekPart, ClosePart};
    FILE* stream = fopencookie(reinterpret_cast<void*>(static_cast<std::intptr_t>(descriptor)),
                               "w+", functions);
    if (!stream) close(descriptor);
    return stream;
}

}  // namespace

}  // namespace quorvane

// The program's definition of the library's function takes its place: the dynamic linker
// binds the library's own calls to the program's symbol, as it does for malloc.
extern "C" FILE* lxw_tmpfile(char* tmpdir) {
    return quorvane::OpenWatchedTemporaryFile(tmpdir);
}

#else

bool WatchesWorkbookTemporaryFiles() {
    return false;
}

}  // namespace quorvane

#endif
