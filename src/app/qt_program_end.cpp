#include "app/qt_program_end.h"

#include <QApplication>
#include <QClipboard>

#include "form/program_end.h"

namespace quorvane {

void EndQtProgramNow(std::unique_ptr<QApplication> application) {
    // Every choice reached the settings file when it changed (each write is synced), and the
    // form has removed the pending files. What may be left is text copied with "Copy Results
    // To Clipboard": it belongs to this process, and only the application object's
    // destruction hands it to the desktop's clipboard manager, as on a normal exit. Nothing
    // else needs taking down: the system takes back the windows, the walk's threads and the
    // memory of the list with the process, at once however many entries the list holds, while
    // taking the application down would first go through every window and service of it on
    // a machine that the walk keeps busy. Destroying it from inside its own event handling (the
    // close may come in a command's yield) is sound only because nothing returns into it: the
    // process ends next.
    if (const QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard && clipboard->ownsClipboard()) {
        application.reset();
    }
    EndProgramNow();
}

}  // namespace quorvane
