#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

#include "app/settings_store.h"
#include "qt_printers.h"

namespace quorvane::test {
namespace {

class SettingsStoreTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("settings.ini"));
};

TEST_F(SettingsStoreTest, KeysAreFoundWhateverTheirLetterCase) {
    SettingsStore store(path);
    store.write(QStringLiteral("Option5"), QStringLiteral("True"));
    EXPECT_EQ(store.read(QStringLiteral("OPTION5"), QStringLiteral("x")), QStringLiteral("True"));

    // A write under another spelling updates the key that is there.
    store.write(QStringLiteral("option5"), QStringLiteral("False"));
    EXPECT_EQ(store.keys(), QStringList{QStringLiteral("Option5")});
    EXPECT_EQ(store.read(QStringLiteral("Option5"), QStringLiteral("x")), QStringLiteral("False"));

    EXPECT_EQ(store.read(QStringLiteral("Text2"), QStringLiteral("3")), QStringLiteral("3"));
}

TEST_F(SettingsStoreTest, EveryWriteIsOnDiskBeforeWriteReturns) {
    SettingsStore store(path);
    store.write(QStringLiteral("Folder"), QStringLiteral("/srv/data"));
    // Read past the store while it is still open, as after a sudden end of the program.
    EXPECT_EQ(QSettings(path, QSettings::IniFormat).value(QStringLiteral("Folder")).toString(),
              QStringLiteral("/srv/data"));
}

TEST_F(SettingsStoreTest, TextsComeBackExactlyAsWritten) {
    const QStringList texts = {
        QStringLiteral("C:\\Data, Reports\\"),          QStringLiteral("@Variant(not one)"),
        QStringLiteral("a;b \"quoted\" = [x]"),         QStringLiteral("  blanks around  "),
        QStringLiteral("/home/j\u00f6rg/\u6587\u66f8"), QString()};
    {
        SettingsStore store(path);
        for (int i = 0; i < texts.size(); ++i)
            store.write(QStringLiteral("Key%1").arg(i), texts[i]);
    }
    SettingsStore reopened(path);
    for (int i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(reopened.read(QStringLiteral("Key%1").arg(i), QStringLiteral("missing")),
                  texts[i]);
    }
}

}  // namespace
}  // namespace quorvane::test
