#pragma once

#include <string>
#include <string_view>

#include "base/status.h"
#include "base/yield_hook.h"
#include "results/entry_source.h"

namespace quorvane {

// The content of "Save Results As Text File": each entry followed by CR LF, then one more
// CR LF, so an empty list gives those two bytes alone. The entries are in the system's
// encoding: on Windows the ANSI code page (with its substitutes for what it lacks), elsewhere
// the bytes as stored, so a name that is not valid UTF-8 is written as the file system gave it.
std::string ResultsTextFileBytes(const EntrySource& list);

// Appends one entry in the text file's encoding (see above), without its line end. Platform:
// text_file_export_posix.cpp, text_file_export_windows.cpp.
void AppendTextFileEntry(std::string& out, std::string_view entry);

// Writes the text file of `list` to `file`, which is replaced only once every byte is written
// (see AtomicFile): after any failure the file that was there is intact and no partial file
// is left. The bytes go to the disk in pieces as they are made, on a thread of their own, so
// the list costs no more memory than a piece however long it is.
//
// With a hook, lets the window run once before each entry and while it waits for the disk;
// ListChanged, and nothing written, when the list loses entries meanwhile (see ListScan).
Status SaveResultsToTextFile(const EntrySource& list, const std::string& file,
                             YieldHook* hook = nullptr);

}  // namespace quorvane
