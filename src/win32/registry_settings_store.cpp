#include "win32/registry_settings_store.h"

#include <windows.h>

#include <vector>

#include "win32/wide_text.h"

namespace quorvane {

RegistrySettingsStore::RegistrySettingsStore(std::wstring key) : key_(std::move(key)) {}

std::string RegistrySettingsStore::read(const std::string& key,
                                        const std::string& defaultValue) const {
    const std::wstring name = Wide(key);
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, key_.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr,
                     &bytes) != ERROR_SUCCESS) {
        return defaultValue;
    }
    // The value may grow between the two calls; the second tells.
    std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1);
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, key_.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                     text.data(), &bytes) != ERROR_SUCCESS) {
        return defaultValue;
    }
    return Narrow(text.data());
}

void RegistrySettingsStore::write(const std::string& key, const std::string& value) {
    HKEY store = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, &store, nullptr) != ERROR_SUCCESS) {
        return;
    }
    const std::wstring text = Wide(value);
    RegSetValueExW(store, Wide(key).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(store);
}

}  // namespace quorvane
