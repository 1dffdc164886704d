#include "form/file_queries.h"

#include <filesystem>

#include "engine/path_rules.h"
#include "text/local_path.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace quorvane {

namespace fs = std::filesystem;

bool FileExists(const std::string& path) {
    std::error_code error;
    return !path.empty() && fs::exists(fs::status(LocalPath(path), error));
}

bool IsVisiblePlainFile(const std::string& path) {
    std::error_code error;
    const fs::path file = LocalPath(path);
    if (path.empty() || !fs::is_regular_file(fs::status(file, error))) return false;
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesW(file.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           !(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
#else
    return file.filename().native().front() != '.';
#endif
}

std::string CurrentFolder() {
    std::error_code error;
    const fs::path folder = fs::current_path(error);
    return error ? std::string() : FromLocalPath(folder);
}

std::string FileInFolder(const std::string& folder, const std::string& name) {
    std::string path = folder;
    if (!path.empty() && path.back() != kSeparator) path += kSeparator;
    for (const char c : name)
        path += c == '/' ? kSeparator : c;
    return path;
}

}  // namespace quorvane
