#pragma once

#include <string>

namespace quorvane {

// The scratch file that shut-down removes when it is there: C:\vrn.txt on Windows, vrn.txt
// in the temporary folder elsewhere. The program never creates it.
std::string ScratchFilePath();

}  // namespace quorvane
