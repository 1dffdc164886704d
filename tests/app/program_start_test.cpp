// What the window program takes from its command line and its desktop before the window opens.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include "app/command_line.h"
#include "app/platform_theme.h"
#include "app/program_icon.h"

namespace quorvane::test {
namespace {

TEST(ProgramStart, FolderOnTheCommandLineIsMadeAbsolute) {
    const QString here = QDir::currentPath();
    EXPECT_EQ(StartFolder({QStringLiteral("quorvane")}), QString());
    EXPECT_EQ(StartFolder({QStringLiteral("quorvane"), QStringLiteral("one/../two/")}),
              QDir::toNativeSeparators(here + QStringLiteral("/two")));
    EXPECT_EQ(StartFolder({QStringLiteral("quorvane"), QStringLiteral("--"), QStringLiteral("-x")}),
              QDir::toNativeSeparators(here + QStringLiteral("/-x")));
}

TEST(ProgramStart, KdeGetsItsFileDialogsThroughThePortalUnlessTheUserChoseATheme) {
    EXPECT_EQ(PreferredPlatformTheme("KDE", ""), QByteArray("xdgdesktopportal"));
    EXPECT_EQ(PreferredPlatformTheme("KDE", "gtk3"), QByteArray());
    // Qt finds GTK's theme on GNOME by itself.
    EXPECT_EQ(PreferredPlatformTheme("ubuntu:GNOME", ""), QByteArray());
}

TEST(ProgramStart, IconIsTransparentAroundTheFolderAtEverySize) {
    const QIcon icon = ProgramIcon();
    ASSERT_FALSE(icon.availableSizes().isEmpty());
    for (const QSize& size : icon.availableSizes()) {
        const QImage image = icon.pixmap(size).toImage();
        EXPECT_EQ(image.size(), size);
        EXPECT_TRUE(image.hasAlphaChannel()) << size.width();
        EXPECT_EQ(qAlpha(image.pixel(0, size.height() - 1)), 0) << size.width();
    }
}

}  // namespace
}  // namespace quorvane::test
