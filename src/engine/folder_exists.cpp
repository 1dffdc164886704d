#include "engine/folder_exists.h"

#ifdef _WIN32
#include <windows.h>

#include "engine/extended_length_path.h"
#else
#include <sys/stat.h>
#endif

namespace quorvane {

std::optional<bool> FolderExists(const std::string& path) {
    if (path.empty()) return std::nullopt;
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesW(ToExtendedLengthPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
#else
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return std::nullopt;
    return S_ISDIR(st.st_mode);
#endif
}

}  // namespace quorvane
