#include "app/qt_program_end.h"

#include <QApplication>

#include "form/program_end.h"

namespace quorvane {

void EndQtProgramNow(std::unique_ptr<QApplication> application) {
    // Text copied with "Copy Results To Clipboard" belongs to this process until then: the
    // application object's destruction hands it to the desktop's clipboard manager, as on a
    // normal exit. Destroying it from inside its own event handling (the close may come in a
    // command's yield) is sound only because nothing returns into it: the process ends next.
    application.reset();
    EndProgramNow();
}

}  // namespace quorvane
