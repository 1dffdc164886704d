#pragma once

#include <string>

namespace quorvane::cli {

// Why FOLDER cannot be walked, as an errno value (ENOENT when it is missing, ENOTDIR when it
// names something else, or the system's own reason); 0 when it is a folder, a link to one
// included.
int FolderProblem(const std::string& folder);

}  // namespace quorvane::cli
