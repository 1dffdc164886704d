#pragma once

#include <memory>

class QApplication;

namespace quorvane {

// Ends the Qt program at once, as closing the main window does (see EndProgramNow). Where this
// process holds copied text, the application object is destroyed first, which hands the text
// to the desktop's clipboard manager; nothing else is taken down.
[[noreturn]] void EndQtProgramNow(std::unique_ptr<QApplication> application);

}  // namespace quorvane
