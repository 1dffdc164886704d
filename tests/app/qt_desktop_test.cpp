// The desktop services made with Qt that a test may use: never the browser, the spreadsheet
// program or the user's clipboard.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/qt_desktop.h"

namespace quorvane::test {
namespace {

// A home folder of the test's own, for the life of the object.
class UserFolders {
  public:
    UserFolders() : home_(qgetenv("HOME")) { qputenv("HOME", QFile::encodeName(scratch_.path())); }
    ~UserFolders() { qputenv("HOME", home_); }
    QString path(const QString& relative = {}) const {
        return relative.isEmpty() ? scratch_.path() : scratch_.filePath(relative);
    }

  private:
    QTemporaryDir scratch_;
    QByteArray home_;
};

TEST(QtDesktop, DesktopFolderIsTheHomeFolderWhereTheAccountHasNone) {
    UserFolders user;
    QtDesktop desktop;
    EXPECT_EQ(desktop.desktopFolder(), user.path().toStdString()) << "no desktop folder yet";

    QDir(user.path()).mkdir(QStringLiteral("Desktop"));
    EXPECT_EQ(desktop.desktopFolder(), user.path(QStringLiteral("Desktop")).toStdString());
}

}  // namespace
}  // namespace quorvane::test
