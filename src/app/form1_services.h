#pragma once

#include <QLocale>
#include <QString>
#include <functional>

#include "app/desktop.h"
#include "app/dialogs.h"
#include "app/drive_source.h"
#include "app/random_source.h"
#include "app/settings_store.h"

namespace quorvane {

// Everything the main window takes from outside itself. The program hands it the platform's
// services; tests hand it fakes, a settings file of their own and a folder to play the
// program's folder. The window keeps references: the services must outlive it.
struct Form1Services {
    Dialogs& dialogs;
    Desktop& desktop;
    DriveSource& drives;
    RandomSource& random;
    SettingsStore& settings;
    // The folder of the program file, where the skin (x/o.cjs), the hand cursor (HAND-M.CUR)
    // and the sample folder (Samples) are looked up.
    QString applicationFolder;
    // The file that shut-down removes.
    QString scratchFile;
    // Ends the process at once, once shut-down has cleaned up. The program exits; tests
    // record the call.
    std::function<void()> endProgram;
    // Whose separators the depth box reads numbers with.
    QLocale locale = QLocale::system();
};

}  // namespace quorvane
