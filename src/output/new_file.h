#pragma once

#include <string>

#include "base/status.h"

namespace quorvane {

// Files made under a name of the program's choosing, with the platform's wide names on
// Windows so that no character of the path is lost.

// Removes the file `path`.
Status RemoveFile(const std::string& path);

// Creates `path` as a new, empty file; an existing file is left alone and fails as such (see
// AlreadyExists).
Status CreateNewFile(const std::string& path);
bool AlreadyExists(Status status);

// RemoveFile, CreateNewFile and AlreadyExists differ by platform: new_file_posix.cpp,
// new_file_windows.cpp.

// The temporary folder, without a trailing separator.
Status TemporaryFolder(std::string& folder);

// Makes a new, empty file in the temporary folder, named `stem`, a number of its own and
// `suffix`, and gives its path.
Status CreateTemporaryFile(const std::string& stem, const std::string& suffix, std::string& path);

}  // namespace quorvane
