#pragma once

namespace quorvane {

// Ends the process at once, as closing the main window does: output buffers are flushed, and
// nothing else runs, neither the rest of a command that was yielding nor any further event.
// Every setting is already stored, written when it changed.
[[noreturn]] void EndProgramNow();

}  // namespace quorvane
