#include "app/program_end.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

namespace quorvane {

void EndProgramNow(std::unique_ptr<QApplication> application) {
    std::fflush(nullptr);
    // Text copied with "Copy Results To Clipboard" belongs to this process until then: the
    // application object's destruction hands it to the desktop's clipboard manager, as on a
    // normal exit. Destroying it from inside its own event handling (the close may come in a
    // command's yield) is sound only because nothing returns into it: the process ends next.
    application.reset();
    // Not exit(): that would run static destructors and return to no one; the window may be
    // closing from inside a yield of a long command.
    std::_Exit(0);
}

}  // namespace quorvane
