#pragma once

#include <string>

namespace quorvane::test {

// The process's environment variables in UTF-8, as the system's own calls read them (on
// Windows the wide environment). environment_posix.cpp and environment_windows.cpp.
std::string GetVariable(const std::string& name);  // empty when not set
// An empty value unsets it, so that a test that puts back what GetVariable gave leaves a
// variable that was not set unset, not set to nothing (an empty TMPDIR names no folder).
void SetVariable(const std::string& name, const std::string& value);

// The variable that names the temporary folder: TMPDIR, or on Windows TMP (the first of TMP,
// TEMP and the user's profile).
extern const char kTemporaryFolderVariable[];

}  // namespace quorvane::test
