#pragma once

#include <string>

#include "base/status.h"

namespace quorvane::cli {

// Why FOLDER cannot be walked (ENOENT when it is missing, ENOTDIR when it names something
// else, or the system's own reason, such as no permission to read it); success when it is a
// folder, a link to one included, that could be opened and read just now.
// Platform: folder_problem_posix.cpp, folder_problem_windows.cpp.
Status FolderProblem(const std::string& folder);

}  // namespace quorvane::cli
