#pragma once

#include <string>
#include <string_view>

#include "engine/status.h"
#include "engine/yield_hook.h"
#include "results/path_list.h"

namespace quorvane {

// The content of "Save Results As Text File": each entry followed by CR LF, then one more
// CR LF, so an empty list gives those two bytes alone. The entries are in the system's
// encoding: on Windows the ANSI code page (with its substitutes for what it lacks), elsewhere
// the bytes as stored, so a name that is not valid UTF-8 is written as the file system gave it.
//
// Lets the window run once before each entry; ListChanged when the list loses entries
// meanwhile (see ListScan).
Status ResultsTextFileBytes(const PathList& list, YieldHook* hook, std::string& bytes);
// Without a hook nothing can change the list meanwhile, so nothing fails.
std::string ResultsTextFileBytes(const PathList& list);

// Appends one entry in the text file's encoding (see above), without its line end.
void AppendTextFileEntry(std::string& out, std::string_view entry);

// Replaces `file` with `bytes` atomically: after a failure the file that was there is intact
// and no partial file is left. With a hook, the window runs while the bytes go to the disk
// (see CallWhileYielding).
Status WriteTextFile(std::string_view bytes, const std::string& file, YieldHook* hook = nullptr);

// Both of the above; nothing is written when the list cannot be read to its end.
Status SaveResultsToTextFile(const PathList& list, const std::string& file,
                             YieldHook* hook = nullptr);

}  // namespace quorvane
