#include "cli/folder_problem.h"

#include <cerrno>

#ifdef _WIN32
#include "engine/folder_exists.h"
#else
#include <sys/stat.h>
#endif

namespace quorvane::cli {

Status FolderProblem(const std::string& folder) {
#ifdef _WIN32
    // The attributes' own failures (no access, a bad name) all leave the folder unseen. The
    // C library's numbers, for its words: "No such file or directory", as elsewhere.
    const auto exists = FolderExists(folder);
    if (!exists) return Status::library(ENOENT);
    return *exists ? Status() : Status::library(ENOTDIR);
#else
    struct stat st;
    if (stat(folder.c_str(), &st) != 0) return Status::library(errno);
    return S_ISDIR(st.st_mode) ? Status() : Status::library(ENOTDIR);
#endif
}

}  // namespace quorvane::cli
