#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QSettings;

namespace quorvane {

// The per-user store of the window's choices: named texts under the organisation Brindlework
// and the application Quorvane. Windows keeps them in the registry where the classic string
// settings functions put them; elsewhere they live in an INI file in the user's configuration
// folder.
//
// Key names are found without regard to letter case, as in the registry: a read of "option5"
// finds "Option5", and a write to a key that exists under another case updates that key.
// Every write reaches the disk before write() returns, so the program may end at any moment
// without losing a choice. A store that cannot be written keeps its old values; the window
// goes on with what it shows.
class SettingsStore {
  public:
    // The user's own store.
    SettingsStore();
    // A store in the INI file at `iniPath`, for tests and tools that must leave the user's
    // store alone.
    explicit SettingsStore(const QString& iniPath);
    virtual ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // The text stored under `key`, or `defaultValue` when there is none.
    QString read(const QString& key, const QString& defaultValue) const;
    // Virtual so that a test can watch the order of the writes.
    virtual void write(const QString& key, const QString& value);
    // The stored key names, as they are spelled in the store.
    QStringList keys() const;

  private:
    // The stored spelling of `key`, or an empty text when no key matches.
    QString storedName(const QString& key) const;

    std::unique_ptr<QSettings> settings_;
};

}  // namespace quorvane
