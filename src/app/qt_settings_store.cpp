#include "app/qt_settings_store.h"

#include <QSettings>

namespace quorvane {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtSettingsStore::QtSettingsStore() : settings_(OpenUserStore()) {}

QtSettingsStore::QtSettingsStore(const QString& iniPath)
    : settings_(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

QtSettingsStore::~QtSettingsStore() = default;

QString QtSettingsStore::storedName(const QString& key) const {
    const QStringList names = settings_->childKeys();
    for (const QString& name : names) {
        if (name.compare(key, Qt::CaseInsensitive) == 0) return name;
    }
    return {};
}

std::string QtSettingsStore::read(const std::string& key, const std::string& defaultValue) const {
    const QString name = storedName(FromUtf8(key));
    if (name.isEmpty()) return defaultValue;
    const QVariant value = settings_->value(name);
    // An INI line edited by hand with unquoted commas reads back as a list.
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(u", ").toStdString();
    }
    return value.toString().toStdString();
}

void QtSettingsStore::write(const std::string& key, const std::string& value) {
    const QString name = storedName(FromUtf8(key));
    settings_->setValue(name.isEmpty() ? FromUtf8(key) : name, FromUtf8(value));
    settings_->sync();
}

QStringList QtSettingsStore::keys() const {
    return settings_->childKeys();
}

}  // namespace quorvane
