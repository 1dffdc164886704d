#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#ifdef _WIN32
#include "text/native_text.h"
#endif

namespace quorvane {

// A path of the program's own form (UTF-8, WTF-8 on Windows) as the standard library takes
// it, and back, without the lossy conversions through the ANSI code page that
// std::filesystem::path makes of narrow texts on Windows.
inline std::filesystem::path LocalPath(std::string_view path) {
#ifdef _WIN32
    return std::filesystem::path(ToNativePath(path));
#else
    return std::filesystem::path(path);
#endif
}

inline std::string FromLocalPath(const std::filesystem::path& path) {
#ifdef _WIN32
    return FromNativePath(path.native());
#else
    return path.native();
#endif
}

}  // namespace quorvane
