#pragma once

#include <string>

namespace quorvane {

// The per-user store of the window's choices: named texts under the organisation Brindlework
// and the application Quorvane, UTF-8 here whatever the store keeps.
//
// Key names are found without regard to letter case, as in the registry: a read of "option5"
// finds "Option5", and a write to a key that exists under another case updates that key.
// Every write is kept before write() returns, so the program may end at any moment without
// losing a choice. A store that cannot be written keeps its old values; the window goes on
// with what it shows.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;

    // The text stored under `key`, or `defaultValue` when there is none.
    virtual std::string read(const std::string& key, const std::string& defaultValue) const = 0;
    virtual void write(const std::string& key, const std::string& value) = 0;
};

}  // namespace quorvane
