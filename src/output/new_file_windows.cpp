#include "output/new_file.h"

#include <windows.h>

#include "engine/extended_length_path.h"

namespace quorvane {

Status CreateNewFile(const std::string& path) {
    HANDLE file = CreateFileW(ToExtendedLengthPath(path).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Status::system(static_cast<int>(GetLastError()));
    CloseHandle(file);
    return {};
}

bool AlreadyExists(Status status) {
    return status.code() == ERROR_FILE_EXISTS || status.code() == ERROR_ALREADY_EXISTS;
}

Status RemoveFile(const std::string& path) {
    if (!DeleteFileW(ToExtendedLengthPath(path).c_str())) {
        return Status::system(static_cast<int>(GetLastError()));
    }
    return {};
}

}  // namespace quorvane
