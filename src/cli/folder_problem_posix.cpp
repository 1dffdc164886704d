#include "cli/folder_problem.h"

#include <sys/stat.h>

#include <cerrno>

namespace quorvane::cli {

Status FolderProblem(const std::string& folder) {
    struct stat st;
    if (stat(folder.c_str(), &st) != 0) return Status::library(errno);
    return S_ISDIR(st.st_mode) ? Status() : Status::library(ENOTDIR);
}

}  // namespace quorvane::cli
