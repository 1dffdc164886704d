// quorvane: the window program. Answers --help and --version, builds the platform services,
// loads the main window, looks at the folder the command line names, and runs the event loop
// until the window is closed, which ends the process from inside Form_Unload.

#include <QApplication>
#include <memory>

#include "app/command_line.h"
#include "app/form1.h"
#include "app/platform_theme.h"
#include "app/program_end.h"
#include "app/program_icon.h"
#include "app/qt_desktop.h"
#include "app/qt_dialogs.h"
#include "app/scratch_file.h"

int main(int argc, char* argv[]) {
    using namespace quorvane;
    DescribeProgram();
    AnswerTextRequests(argc, argv);
    UseDesktopFileDialogs();
    // Owned here until the window closes, which hands it to EndProgramNow.
    auto application = std::make_unique<QApplication>(argc, argv);
    const QString startFolder = StartFolder(QCoreApplication::arguments());
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
    if (!startFolder.isEmpty()) form.LookAtFolder(startFolder);
    form.show();
    return QApplication::exec();
}
