#include "output/new_file.h"

#include <filesystem>
#include <random>

#include "engine/path_rules.h"
#include "text/local_path.h"

namespace quorvane {

Status CreateTemporaryFile(const std::string& stem, const std::string& suffix, std::string& path) {
    std::string folder;
    if (Status status = TemporaryFolder(folder); !status.ok()) return status;
    std::mt19937 random{std::random_device{}()};
    Status status;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name =
            folder + kSeparator + stem + std::to_string(random() % 100000000) + suffix;
        status = CreateNewFile(name);
        if (status.ok()) {
            path = name;
            return status;
        }
        if (!AlreadyExists(status)) break;
    }
    return status;
}

Status TemporaryFolder(std::string& folder) {
    std::error_code error;
    std::filesystem::path found = std::filesystem::temp_directory_path(error);
    if (error) return Status::system(error.value());
    // The platform may give it with a trailing separator.
    if (found.has_relative_path() && !found.has_filename()) found = found.parent_path();
    folder = FromLocalPath(found);
    return {};
}

}  // namespace quorvane
