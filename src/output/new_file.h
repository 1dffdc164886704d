#pragma once

#include <string>

#include "base/status.h"

namespace quorvane {

// Files made under a name of the program's choosing, with the platform's wide names on
// Windows so that no character of the path is lost.

// Removes the file `path`.
Status RemoveFile(const std::string& path);

// The temporary folder, without a trailing separator.
Status TemporaryFolder(std::string& folder);

// Makes a new, empty file in the temporary folder, named `stem`, a number of its own and
// `suffix`, and gives its path.
Status CreateTemporaryFile(const std::string& stem, const std::string& suffix, std::string& path);

}  // namespace quorvane
