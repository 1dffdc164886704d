#include "app/qt_settings_store.h"

#include <QSettings>

namespace quorvane {

// Where the classic string settings functions keep them.
std::unique_ptr<QSettings> QtSettingsStore::OpenUserStore() {
    return std::make_unique<QSettings>(
        QStringLiteral(
            "HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Brindlework\\Quorvane"),
        QSettings::NativeFormat);
}

}  // namespace quorvane
