#include "cli/folder_problem.h"

#include <cerrno>

#include "engine/folder_exists.h"

namespace quorvane::cli {

Status FolderProblem(const std::string& folder) {
    // The attributes' own failures (no access, a bad name) all leave the folder unseen. The
    // C library's numbers, for its words: "No such file or directory", as elsewhere.
    const auto exists = FolderExists(folder);
    if (!exists) return Status::library(ENOENT);
    return *exists ? Status() : Status::library(ENOTDIR);
}

}  // namespace quorvane::cli
