#include "output/new_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>

#include "engine/path_rules.h"

#ifdef _WIN32
#include <windows.h>

#include "engine/extended_length_path.h"
#include "text/native_text.h"
#endif

namespace quorvane {

namespace {

// Creates `path` as a new, empty file; an existing file is left alone and fails as such (see
// alreadyExists).
Status createNewFile(const std::string& path) {
#ifdef _WIN32
    HANDLE file = CreateFileW(ToExtendedLengthPath(path).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Status::system(static_cast<int>(GetLastError()));
    CloseHandle(file);
#else
    errno = 0;
    // "x": the name must be new.
    std::FILE* file = std::fopen(path.c_str(), "wbx");
    if (!file) return Status::system(errno != 0 ? errno : EIO);
    std::fclose(file);
#endif
    return {};
}

bool alreadyExists(Status status) {
#ifdef _WIN32
    return status.code() == ERROR_FILE_EXISTS || status.code() == ERROR_ALREADY_EXISTS;
#else
    return status.code() == EEXIST;
#endif
}

}  // namespace

Status RemoveFile(const std::string& path) {
#ifdef _WIN32
    if (!DeleteFileW(ToExtendedLengthPath(path).c_str())) {
        return Status::system(static_cast<int>(GetLastError()));
    }
#else
    if (std::remove(path.c_str()) != 0) return Status::system(errno != 0 ? errno : EIO);
#endif
    return {};
}

Status CreateTemporaryFile(const std::string& stem, const std::string& suffix, std::string& path) {
    std::string folder;
    if (Status status = TemporaryFolder(folder); !status.ok()) return status;
    std::mt19937 random{std::random_device{}()};
    Status status;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name =
            folder + kSeparator + stem + std::to_string(random() % 100000000) + suffix;
        status = createNewFile(name);
        if (status.ok()) {
            path = name;
            return status;
        }
        if (!alreadyExists(status)) break;
    }
    return status;
}

Status TemporaryFolder(std::string& folder) {
    std::error_code error;
    std::filesystem::path found = std::filesystem::temp_directory_path(error);
    if (error) return Status::system(error.value());
    // The platform may give it with a trailing separator.
    if (found.has_relative_path() && !found.has_filename()) found = found.parent_path();
#ifdef _WIN32
    folder = FromNativePath(found.native());
#else
    folder = found.native();
#endif
    return {};
}

}  // namespace quorvane
