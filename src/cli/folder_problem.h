#pragma once

#include <string>

#include "base/status.h"

namespace quorvane::cli {

// Why FOLDER cannot be walked (ENOENT when it is missing, ENOTDIR when it names something
// else, or the system's own reason); success when it is a folder, a link to one included.
// Platform: folder_problem_posix.cpp, folder_problem_windows.cpp.
Status FolderProblem(const std::string& folder);

}  // namespace quorvane::cli
