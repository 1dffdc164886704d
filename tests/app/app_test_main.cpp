// One QApplication for the whole test program, on the offscreen platform, with the user's
// configuration folder moved out of reach.

#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    // Real widgets, never on the user's screen, whatever the environment says.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Tests give every store a file of its own; should one slip, it lands here.
    QTemporaryDir configuration;
    qputenv("XDG_CONFIG_HOME", configuration.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);

    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
