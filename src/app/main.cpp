// quorvane: the window program. Builds the platform services, loads the main window and runs
// the event loop until the window is closed, which ends the process from inside Form_Unload.

#include <QApplication>
#include <memory>

#include "app/form1.h"
#include "app/program_end.h"
#include "app/program_icon.h"
#include "app/qt_desktop.h"
#include "app/qt_dialogs.h"
#include "app/scratch_file.h"

int main(int argc, char* argv[]) {
    using namespace quorvane;
    // Owned here until the window closes, which hands it to EndProgramNow.
    auto application = std::make_unique<QApplication>(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Brindlework"));
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    // Dialogs and the task bar show it too; the desktop entry names it for the launcher.
    QApplication::setWindowIcon(ProgramIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("quorvane"));

    QtDialogs dialogs;
    QtDesktop desktop;
    SystemDriveSource drives;
    SystemRandomSource random;
    SettingsStore settings;
    const Form1Services services{dialogs,
                                 desktop,
                                 drives,
                                 random,
                                 settings,
                                 QCoreApplication::applicationDirPath(),
                                 ScratchFilePath(),
                                 [&application] { EndProgramNow(std::move(application)); }};
    Form1 form(services);
    dialogs.setOwner(&form);
    form.Form_Load();
    form.show();
    return QApplication::exec();
}
