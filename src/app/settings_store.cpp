#include "app/settings_store.h"

#include <QSettings>

namespace quorvane {

namespace {

std::unique_ptr<QSettings> openUserStore() {
#ifdef _WIN32
    return std::make_unique<QSettings>(
        QStringLiteral(
            "HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Brindlework\\Quorvane"),
        QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("Brindlework"), QStringLiteral("Quorvane"));
#endif
}

}  // namespace

SettingsStore::SettingsStore() : settings_(openUserStore()) {}

SettingsStore::SettingsStore(const QString& iniPath)
    : settings_(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::storedName(const QString& key) const {
    const QStringList names = settings_->childKeys();
    for (const QString& name : names) {
        if (name.compare(key, Qt::CaseInsensitive) == 0) return name;
    }
    return {};
}

QString SettingsStore::read(const QString& key, const QString& defaultValue) const {
    const QString name = storedName(key);
    if (name.isEmpty()) return defaultValue;
    const QVariant value = settings_->value(name);
    // An INI line edited by hand with unquoted commas reads back as a list.
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(u", ");
    return value.toString();
}

void SettingsStore::write(const QString& key, const QString& value) {
    const QString name = storedName(key);
    settings_->setValue(name.isEmpty() ? key : name, value);
    settings_->sync();
}

QStringList SettingsStore::keys() const {
    return settings_->childKeys();
}

}  // namespace quorvane
