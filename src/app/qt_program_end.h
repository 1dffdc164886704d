#pragma once

#include <memory>

class QApplication;

namespace quorvane {

// Ends the Qt program at once, as closing the main window does (see EndProgramNow), after
// destroying the application object so that the clipboard goes to the desktop.
[[noreturn]] void EndQtProgramNow(std::unique_ptr<QApplication> application);

}  // namespace quorvane
