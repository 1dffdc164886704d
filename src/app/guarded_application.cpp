#include "app/guarded_application.h"

#include <QDialog>
#include <QMessageBox>

#include "form/event_failures.h"

namespace quorvane {

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        KeepEventFailure(std::current_exception());
    }
    RunEventHandler([] {
        auto* dialog = qobject_cast<QDialog*>(activeModalWidget());
        if (dialog && !qobject_cast<QMessageBox*>(dialog)) dialog->reject();
    });
    return false;
}

}  // namespace quorvane
