#pragma once

#include <string>

namespace quorvane {

// What start-up asks of the files beside the program. Paths are in the program's own form.

// True when the platform can tell anything about the file: a missing one, or one behind a
// folder that cannot be read, is not there.
bool FileExists(const std::string& path);

// A plain file that is not hidden: on Windows neither the hidden nor the system attribute,
// elsewhere a name that does not begin with a dot. Platform: file_queries_posix.cpp,
// file_queries_windows.cpp.
bool IsVisiblePlainFile(const std::string& path);

// The process's current folder; empty when it cannot be told.
std::string CurrentFolder();

// `name` (which may hold '/' between its parts) in `folder`, with the platform's separators.
std::string FileInFolder(const std::string& folder, const std::string& name);

}  // namespace quorvane
