// quorvane: the window program. Answers --help and --version, builds the platform services,
// loads the main window, looks at the folder the command line names, and runs the event loop
// until the window is closed, which ends the process from inside Form1::unload.

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <memory>

#include "app/command_line.h"
#include "app/form1_widget.h"
#include "app/guarded_application.h"
#include "app/locale_number_format.h"
#include "app/platform_theme.h"
#include "app/program_icon.h"
#include "app/qt_desktop.h"
#include "app/qt_dialogs.h"
#include "app/qt_program_end.h"
#include "app/qt_settings_store.h"
#include "app/scrolling_frame.h"
#include "form/scratch_file.h"
#include "output/standard_streams.h"

int main(int argc, char* argv[]) {
    using namespace quorvane;
    // So that Qt's warnings to a closed standard error cannot land in a file the window
    // saves; a window without a null device goes on all the same.
    static_cast<void>(OpenMissingStandardStreams());
    DescribeProgram();
    AnswerTextRequests(argc, argv);
    UseDesktopFileDialogs();
    // Owned here until the window closes, which hands it to EndQtProgramNow.
    std::unique_ptr<QApplication> application = std::make_unique<GuardedApplication>(argc, argv);
    const QString startFolder = StartFolder(QCoreApplication::arguments());
    // Dialogs and the task bar show it too; the desktop entry names it for the launcher.
    QApplication::setWindowIcon(ProgramIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("quorvane"));

    QtDialogs dialogs;
    QtDesktop desktop;
    SystemDriveSource drives;
    SystemRandomSource random;
    QtSettingsStore settings;
    const FormServices services{
        dialogs,
        desktop,
        drives,
        random,
        settings,
        QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString(),
        ScratchFilePath(),
        [&application] { EndQtProgramNow(std::move(application)); },
        NumberFormatOf(QLocale::system())};
    Form1Widget window(services);
    dialogs.setOwner(&window);
    window.form().load();
    if (!startFolder.isEmpty()) window.form().lookAtFolder(startFolder.toStdString());
    // Inside a frame that scrolls where the screen is too small for the window.
    const auto frame =
        ShowWithinScreen(window, RoomForWindow(window.screen()->availableGeometry()));
    return QApplication::exec();
}
