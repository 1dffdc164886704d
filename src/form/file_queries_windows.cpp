#include "form/file_queries.h"

#include <windows.h>

#include <filesystem>

#include "text/local_path.h"

namespace quorvane {

namespace fs = std::filesystem;

bool IsVisiblePlainFile(const std::string& path) {
    std::error_code error;
    const fs::path file = LocalPath(path);
    if (path.empty() || !fs::is_regular_file(fs::status(file, error))) return false;
    const DWORD attributes = GetFileAttributesW(file.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           !(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

}  // namespace quorvane
