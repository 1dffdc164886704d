#pragma once

#include <string>

namespace quorvane {

// The sample folder that "Load Sample/Example Folder" points at: the Samples folder beside the
// program, as in the build folder; where there is none there, the installed one, found from
// the program's folder (bin/../share/quorvane/Samples), so that an installed copy under any
// prefix finds its own. When neither exists, the one beside the program, for the run to
// report.
std::string FindSampleFolder(const std::string& programFolder);

// Where an installed copy keeps its sample folder, seen from the program's folder.
std::string InstalledSampleFolder(const std::string& programFolder);

}  // namespace quorvane
