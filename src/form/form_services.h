#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "engine/folder_walk.h"
#include "form/desktop.h"
#include "form/dialogs.h"
#include "form/drive_source.h"
#include "form/random_source.h"
#include "form/settings_store.h"
#include "text/numeric_text.h"

namespace quorvane {

// Everything the main window takes from outside itself but its view. The program hands it the
// platform's services; tests hand it fakes, a settings store of their own and a folder to play
// the program's folder. The form keeps references: the services must outlive it.
struct FormServices {
    Dialogs& dialogs;
    Desktop& desktop;
    DriveSource& drives;
    RandomSource& random;
    SettingsStore& settings;
    // The folder of the program file, where the skin (x/o.cjs), the hand cursor (HAND-M.CUR)
    // and the sample folder (Samples) are looked up.
    std::string applicationFolder;
    // The file that shut-down removes.
    std::string scratchFile;
    // Ends the process at once, once shut-down has cleaned up. The program exits; tests
    // record the call.
    std::function<void()> endProgram;
    // The user's separators, with which the depth box is read.
    NumberFormat numberFormat;
    // The walk that "Start Creating List" runs over each target. The benchmarks hand in one
    // that makes up its folders, more of them than a disk here holds.
    std::function<Status(std::string_view root, const WalkOptions& options, FolderSink& sink)>
        walk = WalkFolders;
};

}  // namespace quorvane
