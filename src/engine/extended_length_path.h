#pragma once

// Windows only (extended_length_path_windows.cpp): for the *_windows.cpp files, src/win32 and
// their tests.

#include <string>
#include <string_view>

namespace quorvane {

// The form of `path` that the file system calls take: \\?\C:\... or \\?\UNC\server\share\...,
// which lifts the 260 character limit. Past that prefix Windows takes every character
// literally, so the path is tidied here first, the way Windows tidies an ordinary path but
// without touching any name: '/' becomes '\', empty and "." components go, ".." takes the
// component before it, and a relative or drive-relative path is made absolute against the
// current folder. A trailing separator is kept. Names ending in dots or blanks stay as they
// are, so a folder the listing delivered with such a name can be opened. A path that already
// starts with \\?\ or names a device (\\.\) is passed on as it is.
std::wstring ToExtendedLengthPath(std::string_view utf8);

}  // namespace quorvane
