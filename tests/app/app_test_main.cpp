// One application object for the whole test program, on the offscreen platform, with the user's
// configuration folder moved out of reach.

#include <gtest/gtest.h>

#include <QStandardPaths>
#include <QTemporaryDir>

#include "app/guarded_application.h"

int main(int argc, char** argv) {
    // Real widgets, never on the user's screen, whatever the environment says.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Tests give every store a file of its own; should one slip, it lands here.
    QTemporaryDir configuration;
    qputenv("XDG_CONFIG_HOME", configuration.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);

    // The program's own, which keeps what event handlers throw out of Qt's loop.
    quorvane::GuardedApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
