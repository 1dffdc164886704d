#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/run_time_error.h"
#include "engine/yield_hook.h"
#include "results/path_list.h"

namespace quorvane {

// The content of "Save Results As Text File": each entry followed by CR LF, then one more
// CR LF, so an empty list gives those two bytes alone. The entries are in the system's
// encoding: on Windows the ANSI code page (with its substitutes for what it lacks), elsewhere
// the bytes as stored, so a name that is not valid UTF-8 is written as the file system gave it.
//
// Lets the window run once before each entry; throws RunTimeError::indexOutOfBounds when the
// list loses entries meanwhile (see ListScan).
std::string ResultsTextFileBytes(const PathList& list, YieldHook* hook = nullptr);

// Appends one entry in the text file's encoding (see above), without its line end.
void AppendTextFileEntry(std::string& out, std::string_view entry);

// Replaces `file` with `bytes` atomically: after a failure the file that was there is intact
// and no partial file is left. Returns the system's error, or nothing when written. With a
// hook, the window runs while the bytes go to the disk (see CallWhileYielding).
std::optional<RunTimeError> WriteTextFile(std::string_view bytes, const std::string& file,
                                          YieldHook* hook = nullptr);

// Both of the above; nothing is written when the list cannot be read to its end.
std::optional<RunTimeError> SaveResultsToTextFile(const PathList& list, const std::string& file,
                                                  YieldHook* hook = nullptr);

}  // namespace quorvane
