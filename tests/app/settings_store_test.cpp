#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

#include "app/qt_settings_store.h"
#include "qt_printers.h"

namespace quorvane::test {
namespace {

class SettingsStoreTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("settings.ini"));
};

TEST_F(SettingsStoreTest, KeysAreFoundWhateverTheirLetterCase) {
    QtSettingsStore store(path);
    store.write("Option5", "True");
    EXPECT_EQ(store.read("OPTION5", "x"), "True");

    // A write under another spelling updates the key that is there.
    store.write("option5", "False");
    EXPECT_EQ(store.keys(), QStringList{QStringLiteral("Option5")});
    EXPECT_EQ(store.read("Option5", "x"), "False");

    EXPECT_EQ(store.read("Text2", "3"), "3");
}

TEST_F(SettingsStoreTest, EveryWriteIsOnDiskBeforeWriteReturns) {
    QtSettingsStore store(path);
    store.write("Folder", "/srv/data");
    // Read past the store while it is still open, as after a sudden end of the program.
    EXPECT_EQ(QSettings(path, QSettings::IniFormat).value(QStringLiteral("Folder")).toString(),
              QStringLiteral("/srv/data"));
}

TEST_F(SettingsStoreTest, TextsComeBackExactlyAsWritten) {
    const std::vector<std::string> texts = {"C:\\Data, Reports\\",          "@Variant(not one)",
                                            "a;b \"quoted\" = [x]",         "  blanks around  ",
                                            "/home/j\u00f6rg/\u6587\u66f8", ""};
    {
        QtSettingsStore store(path);
        for (size_t i = 0; i < texts.size(); ++i)
            store.write("Key" + std::to_string(i), texts[i]);
    }
    QtSettingsStore reopened(path);
    for (size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(reopened.read("Key" + std::to_string(i), "missing"), texts[i]);
}

}  // namespace
}  // namespace quorvane::test
