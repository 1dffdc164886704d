#pragma once

#include <optional>
#include <string>

namespace quorvane {

// True when `path` names an existing folder (a link to one counts), false when it names
// something else, and nothing when its attributes cannot be read (missing, empty, no access).
std::optional<bool> FolderExists(const std::string& path);

}  // namespace quorvane
