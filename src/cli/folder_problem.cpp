#include "cli/folder_problem.h"

#include <cerrno>

#ifdef _WIN32
#include "engine/folder_exists.h"
#else
#include <sys/stat.h>
#endif

namespace quorvane::cli {

int FolderProblem(const std::string& folder) {
#ifdef _WIN32
    // The attributes' own failures (no access, a bad name) all leave the folder unseen.
    const auto exists = FolderExists(folder);
    if (!exists) return ENOENT;
    return *exists ? 0 : ENOTDIR;
#else
    struct stat st;
    if (stat(folder.c_str(), &st) != 0) return errno;
    return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
#endif
}

}  // namespace quorvane::cli
