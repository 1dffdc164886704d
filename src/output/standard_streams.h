#pragma once

namespace quorvane {

// Opens on the null device (/dev/null, NUL) each standard stream that the program was started
// without (`2>&-`, or on Windows a handle that is none), as long-lived programs do: the system
// hands out the lowest free descriptor, so the first file the program opened would otherwise
// become its standard error, and the messages meant for it would land in that file. Called
// first thing in main, before any file is opened. False when the null device could not be
// opened; the streams before the one that failed are open then.
// Platform: standard_streams_posix.cpp, standard_streams_windows.cpp.
bool OpenMissingStandardStreams();

}  // namespace quorvane
