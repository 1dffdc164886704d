#pragma once

#include <string>

#include "form/settings_store.h"

namespace quorvane {

// The settings store in the registry: string values (REG_SZ) under a key of the current
// user, by default the one that the classic string settings functions use for the
// application Brindlework and its section Quorvane. The registry finds value names without
// regard to letter case, and a value is kept the moment it is written.
class RegistrySettingsStore : public SettingsStore {
  public:
    static constexpr wchar_t kUserKey[] =
        L"Software\\VB and VBA Program Settings\\Brindlework\\Quorvane";

    // The store under HKEY_CURRENT_USER\`key`.
    explicit RegistrySettingsStore(std::wstring key = kUserKey);

    // A value that is missing, or that holds no text, reads as `defaultValue`.
    std::string read(const std::string& key, const std::string& defaultValue) const override;
    // A store that cannot be written keeps what it had; the window goes on.
    void write(const std::string& key, const std::string& value) override;

  private:
    std::wstring key_;
};

}  // namespace quorvane
