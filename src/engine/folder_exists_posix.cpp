#include "engine/folder_exists.h"

#include <sys/stat.h>

namespace quorvane {

std::optional<bool> FolderExists(const std::string& path) {
    if (path.empty()) return std::nullopt;
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return std::nullopt;
    return S_ISDIR(st.st_mode);
}

}  // namespace quorvane
