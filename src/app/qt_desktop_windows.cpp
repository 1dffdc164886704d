#include "app/qt_desktop.h"

#include <QSettings>

namespace quorvane {

bool QtDesktop::hasSpreadsheetApplication() {
    // An .xlsx association names a program identifier under the classes root.
    QSettings classes("HKEY_CLASSES_ROOT\\.xlsx", QSettings::NativeFormat);
    return !classes.value(".").toString().isEmpty();
}

}  // namespace quorvane
