#include <windows.h>

#include <algorithm>

#include "engine/extended_length_path.h"
#include "output/atomic_file.h"
#include "output/new_file.h"
#include "output/output_target.h"
#include "text/native_text.h"

namespace quorvane {

namespace {

constexpr size_t kBufferSize = 1 << 16;
// WriteFile takes a 32-bit count; large texts go in pieces.
constexpr size_t kLargestWrite = 1 << 30;

bool writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD piece = static_cast<DWORD>(std::min(bytes.size(), kLargestWrite));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), piece, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace

Status AtomicFile::fail(int code) {
    if (failure_.ok()) failure_ = Status::system(code != 0 ? code : ERROR_WRITE_FAULT);
    discard();
    return failure_;
}

void AtomicFile::discard() {
    if (handle_) CloseHandle(handle_);
    handle_ = nullptr;
    gathered_.clear();
    if (!temporary_.empty()) DeleteFileW(ToExtendedLengthPath(temporary_).c_str());
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
    DWORD error = ERROR_SUCCESS;
    if (inPlace_ && writes_ == Writes::WithOverwrites) return openAside();
    if (inPlace_) {
        // A device is reached by its plain name: past \\?\ "NUL" would be a file of that name.
        HANDLE device = CreateFileW(ToNativePath(destination_).c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (device == INVALID_HANDLE_VALUE) return fail(static_cast<int>(GetLastError()));
        handle_ = device;
    }
    for (int attempt = 0; attempt < 100 && !handle_; ++attempt) {
        temporary_ = temporaryNameFor(destination_);
        // CREATE_NEW: the name must be new, so two writers never share a partial file. Shared
        // for deletion only, so that an abrupt end can remove it while it is open.
        HANDLE file =
            CreateFileW(ToExtendedLengthPath(temporary_).c_str(), GENERIC_WRITE, FILE_SHARE_DELETE,
                        nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            handle_ = file;
            break;
        }
        error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
    }
    if (!handle_) {
        temporary_.clear();
        return fail(static_cast<int>(error));
    }
    if (!inPlace_) pending_ = PendingFile(temporary_);
    gathered_.reserve(kBufferSize);
    return {};
}

Status AtomicFile::openAside() {
    std::string folder;
    if (const Status found = TemporaryFolder(folder); !found.ok()) return fail(found.code());
    DWORD error = ERROR_SUCCESS;
    for (int attempt = 0; attempt < 100 && !handle_; ++attempt) {
        // Deleted by the system once the handle is closed, even when the program is ended.
        HANDLE file =
            CreateFileW(ToExtendedLengthPath(temporaryNameFor(folder + "\\quorvane")).c_str(),
                        GENERIC_READ | GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                        FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            handle_ = file;
            break;
        }
        error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
    }
    if (!handle_) return fail(static_cast<int>(error));
    builtAside_ = true;
    gathered_.reserve(kBufferSize);
    return {};
}

Status AtomicFile::copyAside() {
    const LARGE_INTEGER start{};
    if (!SetFilePointerEx(handle_, start, nullptr, FILE_BEGIN)) {
        return fail(static_cast<int>(GetLastError()));
    }
    // A device is reached by its plain name: past \\?\ "NUL" would be a file of that name.
    HANDLE target = CreateFileW(ToNativePath(destination_).c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (target == INVALID_HANDLE_VALUE) return fail(static_cast<int>(GetLastError()));
    std::string block(kBufferSize, '\0');
    DWORD error = ERROR_SUCCESS;
    for (std::uint64_t at = 0; at < size_;) {
        DWORD got = 0;
        if (!ReadFile(handle_, block.data(), static_cast<DWORD>(block.size()), &got, nullptr)) {
            error = GetLastError();
            break;
        }
        if (got == 0) {
            error = ERROR_HANDLE_EOF;
            break;
        }
        if (!writeAll(target, std::string_view(block.data(), got))) {
            error = GetLastError();
            break;
        }
        at += got;
    }
    if (!CloseHandle(target) && error == ERROR_SUCCESS) error = GetLastError();
    if (error != ERROR_SUCCESS) return fail(static_cast<int>(error));
    CloseHandle(handle_);  // which deletes the file built aside
    handle_ = nullptr;
    return {};
}

Status AtomicFile::write(std::string_view bytes) {
    if (!handle_) return notOpen();
    size_ += bytes.size();
    if (gathered_.size() + bytes.size() < kBufferSize) {
        gathered_.append(bytes);
        return {};
    }
    if (!writeAll(handle_, gathered_)) return fail(static_cast<int>(GetLastError()));
    gathered_.clear();
    if (bytes.size() < kBufferSize) {
        gathered_.append(bytes);
    } else if (!writeAll(handle_, bytes)) {
        return fail(static_cast<int>(GetLastError()));
    }
    return {};
}

Status AtomicFile::overwrite(std::uint64_t offset, std::string_view bytes) {
    if (!handle_) return notOpen();
    if (offset + bytes.size() > size_) return fail(ERROR_INVALID_PARAMETER);
    if (!writeAll(handle_, gathered_)) return fail(static_cast<int>(GetLastError()));
    gathered_.clear();
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(offset);
    const LARGE_INTEGER none{};
    if (!SetFilePointerEx(handle_, at, nullptr, FILE_BEGIN) || !writeAll(handle_, bytes) ||
        !SetFilePointerEx(handle_, none, nullptr, FILE_END)) {
        return fail(static_cast<int>(GetLastError()));
    }
    return {};
}

Status AtomicFile::commit() {
    if (!handle_) return notOpen();
    // A device has nothing to flush to a disk.
    if (!writeAll(handle_, gathered_) || (!inPlace_ && !FlushFileBuffers(handle_))) {
        return fail(static_cast<int>(GetLastError()));
    }
    gathered_.clear();
    if (builtAside_) return copyAside();
    const bool closed = CloseHandle(handle_);
    handle_ = nullptr;
    if (!closed) return fail(static_cast<int>(GetLastError()));
    if (inPlace_) return {};
    if (!MoveFileExW(ToExtendedLengthPath(temporary_).c_str(),
                     ToExtendedLengthPath(destination_).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return fail(static_cast<int>(GetLastError()));
    }
    temporary_.clear();
    pending_.forget();
    return {};
}

}  // namespace quorvane
