#include "output/new_file.h"

#include <cerrno>
#include <cstdio>

namespace quorvane {

Status CreateNewFile(const std::string& path) {
    errno = 0;
    // "x": the name must be new.
    std::FILE* file = std::fopen(path.c_str(), "wbx");
    if (!file) return Status::system(errno != 0 ? errno : EIO);
    std::fclose(file);
    return {};
}

bool AlreadyExists(Status status) {
    return status.code() == EEXIST;
}

Status RemoveFile(const std::string& path) {
    if (std::remove(path.c_str()) != 0) return Status::system(errno != 0 ? errno : EIO);
    return {};
}

}  // namespace quorvane
