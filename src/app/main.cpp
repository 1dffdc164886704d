// quorvane: the window program. Builds the platform services, loads the main window and runs
// the event loop until the window is closed, which ends the process from inside Form_Unload.

#include <QApplication>
#include <QDir>

#include "app/form1_widget.h"
#include "app/locale_number_format.h"
#include "app/program_icon.h"
#include "app/qt_desktop.h"
#include "app/qt_dialogs.h"
#include "app/qt_settings_store.h"
#include "form/program_end.h"
#include "form/scratch_file.h"

int main(int argc, char* argv[]) {
    using namespace quorvane;
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Brindlework"));
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
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
        [] { EndProgramNow(); },
        NumberFormatOf(QLocale::system())};
    Form1Widget window(services);
    dialogs.setOwner(&window);
    window.form().Form_Load();
    window.show();
    return QApplication::exec();
}
