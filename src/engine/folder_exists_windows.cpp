#include "engine/folder_exists.h"

#include <windows.h>

#include "engine/extended_length_path.h"

namespace quorvane {

std::optional<bool> FolderExists(const std::string& path) {
    if (path.empty()) return std::nullopt;
    const DWORD attributes = GetFileAttributesW(ToExtendedLengthPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace quorvane
