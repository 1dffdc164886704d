#include "app/qt_settings_store.h"

#include <QSettings>

namespace quorvane {

std::unique_ptr<QSettings> QtSettingsStore::OpenUserStore() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("Brindlework"), QStringLiteral("Quorvane"));
}

}  // namespace quorvane
