#include "form/file_removal.h"

#include <filesystem>

#include "text/local_path.h"

namespace quorvane {

void DeleteFileSafely(const std::string& path, EventPump& events) {
    events.processEvents();
    std::error_code error;
    if (std::filesystem::remove(LocalPath(path), error)) return;
    ForceDeleteFile(path);
}

bool ForceDeleteFile(const std::string& path) {
    namespace fs = std::filesystem;
    const fs::path file = LocalPath(path);
    std::error_code error;
    // Windows refuses to delete a read-only file; elsewhere this changes nothing that matters.
    // A link is removed as itself, so the file it leads to keeps its permissions.
    fs::permissions(file, fs::perms::owner_write,
                    fs::perm_options::add | fs::perm_options::nofollow, error);
    fs::remove(file, error);
    return !fs::exists(fs::symlink_status(file, error));
}

}  // namespace quorvane
