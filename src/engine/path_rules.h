#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// The separator of the platform's paths. A constant, so the one test of the platform outside
// the *_posix.cpp and *_windows.cpp pairs: a pair of sources for one character would be silly.
#ifdef _WIN32
inline constexpr char kSeparator = '\\';
#else
inline constexpr char kSeparator = '/';
#endif

// The Windows rule: doubled backslashes collapse in one left-to-right pass (a run of three
// becomes two), and a leading run of any length becomes exactly two, which keeps \\server\share.
std::string RemoveDoubleBackslashesWindows(std::string_view text);

// The POSIX rule: every run of '/' becomes one, a leading run too (there are no network
// prefixes). Unlike the Windows rule it is idempotent, which lets the walk normalise its root
// once instead of every entry.
std::string CollapseSlashRuns(std::string_view text);

// The folder path form: the text followed by one separator unless it already ends with one.
std::string ToFolderPathForm(std::string_view folder);

// What a results list entry holds for a folder path produced by the walk: the trailing
// separator dropped, then doubled separators collapsed.
std::string EntryFromFolderPath(std::string_view folderPath);

// What follows differs by platform: path_rules_posix.cpp and path_rules_windows.cpp.

// The rule of the platform this program was built for.
std::string RemoveDoubleBackslashes(std::string_view text);

// The root as the walk keeps it: on POSIX with every run of '/' collapsed, which keeps every
// path below it clean as it is formed; on Windows as it is, the rule applying to each entry.
std::string WalkRootPath(std::string_view root);

// The folder path form of the subfolder `name` of the folder `parent` (folder path form), into
// `out`, which keeps its storage from call to call. On Windows the doubled backslashes of the
// result are collapsed, as they are in each path the walk forms.
void FormSubfolderPath(std::string& out, std::string_view parent, std::string_view name);

// The results list entry of the subfolder `name` of the walk's folder `folderPath` (folder path
// form), into `out`, which keeps its storage from call to call.
void FormSubfolderEntry(std::string& out, std::string_view folderPath, std::string_view name);

}  // namespace quorvane
