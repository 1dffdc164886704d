#pragma once

#include <string>

#include "base/status.h"
#include "base/yield_hook.h"
#include "results/entry_source.h"

namespace quorvane {

// The text of "Copy Results To Clipboard": one line per entry, the path padded with blanks to
// the length of the longest path, then TAB, CR, LF. Lengths count characters (a byte that is
// not valid UTF-8 counts as one), so the columns line up in a font of fixed width. An empty
// list gives the empty text, which the caller takes as "leave the clipboard alone".
//
// Two passes, widths then lines, each letting the window run once before each entry; an entry
// longer than the width (the list grew between the passes) gets no blanks. ListChanged when
// the list loses entries during a pass (see ListScan).
Status ResultsClipboardText(const EntrySource& list, YieldHook* hook, std::string& text);
// Without a hook nothing can change the list meanwhile, so nothing fails.
std::string ResultsClipboardText(const EntrySource& list);

}  // namespace quorvane
