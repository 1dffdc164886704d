#include "output/new_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>

#include "engine/path_rules.h"
#include "engine/run_time_error.h"

#ifdef _WIN32
#include <windows.h>

#include "engine/extended_length_path.h"
#include "text/native_text.h"
#endif

namespace quorvane {

NewFileResult CreateNewFile(const std::string& path, int& error) {
#ifdef _WIN32
    HANDLE file = CreateFileW(ToExtendedLengthPath(path).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return NewFileResult::Created;
    }
    error = static_cast<int>(GetLastError());
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? NewFileResult::Exists
                                                                       : NewFileResult::Failed;
#else
    errno = 0;
    // "x": the name must be new.
    if (std::FILE* file = std::fopen(path.c_str(), "wbx")) {
        std::fclose(file);
        return NewFileResult::Created;
    }
    error = errno != 0 ? errno : EIO;
    return error == EEXIST ? NewFileResult::Exists : NewFileResult::Failed;
#endif
}

bool RemoveFile(const std::string& path) {
#ifdef _WIN32
    return DeleteFileW(ToExtendedLengthPath(path).c_str());
#else
    return std::remove(path.c_str()) == 0;
#endif
}

std::string CreateTemporaryFile(const std::string& stem, const std::string& suffix) {
    const std::string folder = TemporaryFolder();
    std::mt19937 random{std::random_device{}()};
    int error = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string path =
            folder + kSeparator + stem + std::to_string(random() % 100000000) + suffix;
        switch (CreateNewFile(path, error)) {
            case NewFileResult::Created:
                return path;
            case NewFileResult::Exists:
                continue;
            case NewFileResult::Failed:
                throw RunTimeError::fromSystemError(error);
        }
    }
    throw RunTimeError::fromSystemError(error);
}

std::string TemporaryFolder() {
    std::error_code error;
    std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (error) throw RunTimeError::fromSystemError(error.value());
    // The platform may give it with a trailing separator.
    if (folder.has_relative_path() && !folder.has_filename()) folder = folder.parent_path();
#ifdef _WIN32
    return FromNativePath(folder.native());
#else
    return folder.native();
#endif
}

}  // namespace quorvane
