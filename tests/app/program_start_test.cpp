// What the window program takes from its command line and its desktop before the window opens.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <cstdlib>

#include "app/command_line.h"
#include "app/platform_theme.h"
#include "app/program_icon.h"
#include "support/run_program.h"

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

TEST(ProgramStart, CommandLineProblemsAreFoundButTheWindowSystemsOptionsPass) {
    const std::pair<QStringList, QString> cases[] = {
        {{"--bogus"}, "Unknown option 'bogus'."},
        {{"-x", "folder"}, "Unknown option 'x'."},
        {{"one", "two"}, "only one FOLDER can be given"},
        {{"folder"}, ""},
        {{"-platform", "offscreen", "-style=fusion", "--reverse", "folder"}, ""},
        {{"--platformtheme", "gtk3", "-display", ":1", "-name", "q", "-sync"}, ""},
        {{"--", "-x"}, ""},
    };
    for (const auto& [arguments, problem] : cases) {
        EXPECT_EQ(CommandLineProblem(QStringList{"quorvane"} + arguments), problem)
            << arguments.join(' ').toStdString();
    }
}

TEST(ProgramStart, BadCommandLineIsRefusedWithoutADisplay) {
    // As on a console or over ssh: no display of any kind, and no platform chosen.
    QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        unsetenv(variable);
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--bogus"}, {"one", "two"}}) {
        const test::ProgramResult refused = test::RunProgram(QUORVANE_PROGRAM, arguments);
        EXPECT_EQ(refused.exitCode, 2) << arguments.front() << ": " << refused.err;
        EXPECT_TRUE(refused.err.starts_with("quorvane: ")) << refused.err;
        EXPECT_NE(refused.err.find("Usage: "), std::string::npos) << refused.err;
        EXPECT_EQ(refused.out, "");
    }
    qputenv("QT_QPA_PLATFORM", platform);
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
