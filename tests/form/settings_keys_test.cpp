#include "form/settings_keys.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

namespace quorvane::test {
namespace {

// A control without a key would fail at its first change; two controls under one key would
// restore each other's value. The store ignores the keys' letter case.
TEST(SettingsKeys, EveryOptionAndTextBoxIsKeptUnderAKeyOfItsOwn) {
    const auto folded = [](std::string key) {
        for (char& c : key)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return key;
    };
    std::set<std::string> keys = {folded(kLastFolderKey)};
    for (const ControlLayout& c : Form1Layout()) {
        if (c.kind != ControlKind::Option && c.kind != ControlKind::TextBox) continue;
        SCOPED_TRACE(c.name);
        const char* key = nullptr;
        ASSERT_NO_THROW(key = SettingsKeyOf(c.control));
        EXPECT_TRUE(keys.insert(folded(key)).second) << key << " is taken";
    }
}

}  // namespace
}  // namespace quorvane::test
