#include "form/file_queries.h"

#include <filesystem>

#include "engine/path_rules.h"
#include "text/local_path.h"

namespace quorvane {

namespace fs = std::filesystem;

bool FileExists(const std::string& path) {
    std::error_code error;
    return !path.empty() && fs::exists(fs::status(LocalPath(path), error));
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
