#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quorvane {

// A path of the program's own form (UTF-8, WTF-8 on Windows) as the standard library takes
// it, and back, without the lossy conversions through the ANSI code page that
// std::filesystem::path makes of narrow texts on Windows. Platform: local_path_posix.cpp,
// local_path_windows.cpp.
std::filesystem::path LocalPath(std::string_view path);
std::string FromLocalPath(const std::filesystem::path& path);

}  // namespace quorvane
