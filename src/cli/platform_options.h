#pragma once

#include <string_view>

// What quorvane-list does and says differently on each platform, where its options follow the
// platform's file names: platform_options_posix.cpp and platform_options_windows.cpp.
namespace quorvane::cli::platform {

// --exclude compares names in any letter case, as the file system does on Windows.
extern const bool kExcludeIgnoresCase;
// TSV writes '\' as "\\", so that every field reads back; on Windows, where '\' is the
// separator and no name holds TAB, CR or LF, paths are written unchanged.
extern const bool kTsvEscapesBackslash;

// The lines of --help for --exclude, --iexclude and --format, which say so.
extern const std::string_view kExcludeHelp;
extern const std::string_view kIexcludeHelp;
extern const std::string_view kFormatHelp;

}  // namespace quorvane::cli::platform
