#pragma once

#include <string>

namespace quorvane {

// Files made under a name of the program's choosing, with the platform's wide names on
// Windows so that no character of the path is lost.

enum class NewFileResult { Created, Exists, Failed };

// Creates `path` as a new, empty file; an existing file is left alone. On failure `error` is
// the system's error code.
NewFileResult CreateNewFile(const std::string& path, int& error);

// Removes the file `path`; whether it is gone.
bool RemoveFile(const std::string& path);

// The temporary folder, without a trailing separator. Throws RunTimeError when there is none.
std::string TemporaryFolder();

// A new, empty file in the temporary folder, named `stem`, a number of its own and `suffix`.
// Throws RunTimeError with the system's error when none can be made.
std::string CreateTemporaryFile(const std::string& stem, const std::string& suffix);

}  // namespace quorvane
