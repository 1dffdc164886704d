#pragma once

#include <string>

namespace quorvane {

// The scratch file that shut-down removes when it is there; the program never creates it.
// On Windows C:\vrn.txt. Elsewhere vrn.txt in the user's own runtime folder
// ($XDG_RUNTIME_DIR, when it is a folder of the user's that no one else may enter), or else
// in the user's cache folder ($XDG_CACHE_HOME, or ~/.cache): never in a folder that other
// users share, where anyone could have put a file of that name. Empty when the user has
// neither folder. Platform: scratch_file_posix.cpp, scratch_file_windows.cpp.
std::string ScratchFilePath();

}  // namespace quorvane
