#pragma once

#include <string>
#include <string_view>

namespace quorvane::cli {

// `text` fit to show on a terminal: every control character (C0, DEL, and C1 both as UTF-8
// and as a lone byte) and every byte outside valid UTF-8 becomes \xHH, so a folder name
// cannot carry an escape sequence that moves the cursor, retitles the window or rewrites what
// the terminal shows. Everything else passes unchanged.
std::string TerminalSafeText(std::string_view text);
// The same, appended to `out`.
void AppendTerminalSafeText(std::string& out, std::string_view text);

}  // namespace quorvane::cli
