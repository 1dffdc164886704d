#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "form/settings_store.h"

class QSettings;

namespace quorvane {

// The settings store through QSettings. Windows keeps the choices in the registry where the
// classic string settings functions put them; elsewhere they live in an INI file in the
// user's configuration folder. Every write is synced to the disk before write() returns.
class QtSettingsStore : public SettingsStore {
  public:
    // The user's own store.
    QtSettingsStore();
    // A store in the INI file at `iniPath`, for tests and tools that must leave the user's
    // store alone.
    explicit QtSettingsStore(const QString& iniPath);
    ~QtSettingsStore() override;
    QtSettingsStore(const QtSettingsStore&) = delete;
    QtSettingsStore& operator=(const QtSettingsStore&) = delete;

    std::string read(const std::string& key, const std::string& defaultValue) const override;
    void write(const std::string& key, const std::string& value) override;
    // The stored key names, as they are spelled in the store.
    QStringList keys() const;

  private:
    // The user's own store, where the platform keeps it: qt_settings_store_posix.cpp,
    // qt_settings_store_windows.cpp.
    static std::unique_ptr<QSettings> OpenUserStore();
    // The stored spelling of `key`, or an empty text when no key matches.
    QString storedName(const QString& key) const;

    std::unique_ptr<QSettings> settings_;
};

}  // namespace quorvane
