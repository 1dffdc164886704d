#pragma once

#include <string>
#include <string_view>

#include "base/status.h"

namespace quorvane {

// Where the bytes meant for an output file that the user named go.
struct OutputTarget {
    // The file to replace: the name given or, when that is a symbolic link, the file its links
    // lead to, so the link stays a link and the file behind it gets the new content.
    std::string file;
    // A device (/dev/null, a terminal, NUL on Windows), a pipe or a socket: written in place.
    // Renaming a new file onto it would put a plain file where the device or pipe was.
    bool inPlace = false;
};

// Fails only when the name cannot be followed (a loop of links).
Status ResolveOutputTarget(const std::string& name, OutputTarget& target);

// How the platform's file system measures a file's name.
struct FileNameRules {
    std::string_view separators;  // the characters that end the folder's part of a path
    size_t longestName;           // in the units below
    bool countsUtf16Units;        // Windows; elsewhere names count bytes
};

// ResolveOutputTarget and PlatformFileNameRules differ by platform: output_target_posix.cpp,
// output_target_windows.cpp.
const FileNameRules& PlatformFileNameRules();

// The name of the partial file that is written beside `file` and renamed onto it once
// complete: the file's name, then ".part-" and `number` in six digits. The name is shortened
// (never the folder, never inside a character) so that it stays within the longest name the
// file system takes, and a file with a name of the longest length can still be saved.
std::string PartFileName(const std::string& file, unsigned number);

}  // namespace quorvane
