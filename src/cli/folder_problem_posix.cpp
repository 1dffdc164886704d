#include "cli/folder_problem.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>

namespace quorvane::cli {

Status FolderProblem(const std::string& folder) {
    struct stat st;
    if (stat(folder.c_str(), &st) != 0) return Status::library(errno);
    if (!S_ISDIR(st.st_mode)) return Status::library(ENOTDIR);
    // A folder that is there may still refuse to be listed (no read permission): it is opened
    // and its first entry read, as the walk will.
    DIR* listing = opendir(folder.c_str());
    if (!listing) return Status::library(errno);
    errno = 0;
    const bool read = readdir(listing) != nullptr || errno == 0;
    const int error = errno;
    closedir(listing);
    return read ? Status() : Status::library(error);
}

}  // namespace quorvane::cli
