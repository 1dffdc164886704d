#include "text/local_path.h"

#include "text/native_text.h"

namespace quorvane {

std::filesystem::path LocalPath(std::string_view path) {
    return std::filesystem::path(ToNativePath(path));
}

std::string FromLocalPath(const std::filesystem::path& path) {
    return FromNativePath(path.native());
}

}  // namespace quorvane
