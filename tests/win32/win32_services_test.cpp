// The Win32 services that need no display: the registry store and the save dialog's filter.

#include <windows.h>

#include <gtest/gtest.h>

#include <random>

#include "win32/registry_settings_store.h"
#include "win32/win32_dialogs.h"

namespace quorvane {
namespace {

class RegistryStore : public ::testing::Test {
  protected:
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str()); }

    DWORD typeOf(const wchar_t* name) const {
        DWORD type = 0;
        RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_ANY, &type, nullptr, nullptr);
        return type;
    }

    std::wstring key = L"Software\\Brindlework tests\\Settings " +
                       std::to_wstring(std::random_device{}() % 1000000);
};

TEST_F(RegistryStore, TextsComeBackAsWrittenAsStringValuesWhateverTheKeysLetterCase) {
    RegistrySettingsStore store(key);
    EXPECT_EQ(store.read("Option5", "1"), "1") << "nothing stored yet, not even the key";

    store.write("Option5", "True");
    store.write("Folder", "C:\\\xCE\x9B\xCE\xAF\xCF\x83\xCF\x84\xCE\xB1 \xF0\x9F\x93\x81\\");
    store.write("Text2", "");
    EXPECT_EQ(store.read("OPTION5", "x"), "True");
    EXPECT_EQ(store.read("Folder", "x"),
              "C:\\\xCE\x9B\xCE\xAF\xCF\x83\xCF\x84\xCE\xB1 \xF0\x9F\x93\x81\\");
    EXPECT_EQ(store.read("Text2", "3"), "");
    EXPECT_EQ(typeOf(L"Option5"), static_cast<DWORD>(REG_SZ));

    // A write under another spelling updates the value that is there.
    store.write("option5", "False");
    EXPECT_EQ(store.read("Option5", "x"), "False");
    HKEY opened = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &opened), ERROR_SUCCESS);
    DWORD values = 0;
    RegQueryInfoKeyW(opened, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(opened);
    EXPECT_EQ(values, 3u);
}

TEST_F(RegistryStore, ValueThatHoldsNoTextReadsAsTheDefault) {
    RegistrySettingsStore store(key);
    store.write("Text2", "4");
    const DWORD number = 4;
    RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Text2", REG_DWORD, &number, sizeof number);
    EXPECT_EQ(store.read("Text2", "3"), "3");
}

TEST(CommonDialogFilter, BarsBecomeNulsAndTwoNulsEndIt) {
    const std::wstring expected(L"Text Files (*.txt)\0*.txt\0All Files (*.*)\0*.*\0\0", 46);
    EXPECT_EQ(CommonDialogFilter("Text Files (*.txt)|*.txt|All Files (*.*)|*.*|"), expected);
}

}  // namespace
}  // namespace quorvane
