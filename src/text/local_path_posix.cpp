#include "text/local_path.h"

namespace quorvane {

std::filesystem::path LocalPath(std::string_view path) {
    return std::filesystem::path(path);
}

std::string FromLocalPath(const std::filesystem::path& path) {
    return path.native();
}

}  // namespace quorvane
