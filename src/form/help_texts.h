#pragma once

#include <string>
#include <string_view>

namespace quorvane {

inline constexpr char kContactPage[] = "https://www.brindlework.example/contact";

// What "Help" shows. Its lines are separated by bare carriage returns.
std::string GeneralHelpText();

// What the "?" of the depth frame shows, ending with the caption of the every-level option
// as the window shows it at that moment. Its lines are separated by CR LF.
std::string DepthHelpText(std::string_view everyLevelCaption);

// The sample folder beside the program: the program's folder as the platform reports it (no
// trailing separator, except a root) followed directly by the separator and "Samples", so a
// program in a root gives two separators in a row.
std::string SampleFolderPath(std::string_view programFolder);

}  // namespace quorvane
