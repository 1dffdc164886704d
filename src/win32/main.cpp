// quorvane.exe [FOLDER]: the window program of Windows. Builds the platform services, loads the
// main window, looks at the folder the command line names, and runs its event loop until the
// window is closed, which ends the process from inside Form1::unload.

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "form/drive_source.h"
#include "form/program_end.h"
#include "form/random_source.h"
#include "form/scratch_file.h"
#include "win32/form1_window.h"
#include "win32/registry_settings_store.h"
#include "win32/win32_desktop.h"
#include "win32/win32_dialogs.h"
#include "win32/windows_environment.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    using namespace quorvane;
    // The shell's folder browser and file associations want a single-threaded apartment.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    Win32Dialogs dialogs;
    Win32Desktop desktop;
    SystemDriveSource drives;
    SystemRandomSource random;
    RegistrySettingsStore settings;
    const FormServices services{dialogs,
                                desktop,
                                drives,
                                random,
                                settings,
                                ProgramFolder(),
                                ScratchFilePath(),
                                [] { EndProgramNow(); },
                                UserNumberFormat()};
    Form1Window window(instance, services);
    dialogs.setOwner(window.handle());
    desktop.setOwner(window.handle());
    window.form().load();
    if (const std::string folder = StartFolder(); !folder.empty()) {
        window.form().lookAtFolder(folder);
    }
    window.show(showCommand);
    return window.run();
}
