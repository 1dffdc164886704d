#pragma once

#include <string>

namespace quorvane::cli {

// The text of --help, its options from the table of options (option_table.h).
std::string UsageText();

// The synopsis and a pointer to --help, for a command line that could not be read.
std::string ShortUsageText();

}  // namespace quorvane::cli
