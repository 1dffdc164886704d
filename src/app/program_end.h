#pragma once

#include <memory>

class QApplication;

namespace quorvane {

// Ends the process at once, as closing the main window does: output buffers are flushed, the
// application object is destroyed so that the clipboard goes to the desktop, and nothing else
// runs, neither the rest of a command that was yielding nor any further event. Every setting
// is already on disk, written when it changed.
[[noreturn]] void EndProgramNow(std::unique_ptr<QApplication> application);

}  // namespace quorvane
