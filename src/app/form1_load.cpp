#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTreeView>

#include "app/error_report.h"
#include "app/error_trap.h"
#include "app/file_removal.h"
#include "app/form1.h"
#include "app/hand_cursor.h"
#include "app/program_icon.h"
#include "app/results_list_model.h"
#include "engine/run_time_error.h"

namespace quorvane {

namespace {

constexpr char kProductName[] = "Quorvane";
constexpr char kHomePage[] = "https://www.brindlework.example/";
constexpr int kTitleLimit = 40;

// The desktop folder in folder path form. Fails when the platform cannot name it.
QString GetDesktopFolder(Desktop& desktop) {
    const QString folder = desktop.desktopFolder();
    if (folder.isEmpty()) throw RunTimeError("Invalid procedure call or argument", 5);
    QString path = QDir::toNativeSeparators(folder);
    if (!path.endsWith(QDir::separator())) path += QDir::separator();
    return path;
}

// True when the platform can tell anything about the file: a missing one, or one behind a
// folder that cannot be read, is not there.
bool FileExists(const QString& path) {
    return QFileInfo::exists(path);
}

}  // namespace

void Form1::Form_Load() {
    ErrorTrap trap(services_.dialogs, procedure::kFormLoad);
    trap.step(100, [&] { ApplySkin(); });
    trap.step(104, [&] { setWindowTitle(QString::fromLatin1(kProductName)); });
    trap.guard([&] { setWindowIcon(ProgramIcon()); });
    trap.guard([&] { SetApplicationTitle(); });
    const QString cursorFile = applicationFile(QStringLiteral("HAND-M.CUR"));
    if (trap.test(106, [&] { return FileExists(cursorFile); })) {
        trap.step(108, [&] { LoadMouseIcon(cursorFile); });
    }
    trap.step(110, [&] { ShowHomePageOccasionally(); });
    trap.step(128, [&] { results_->addColumn(QStringLiteral("Results")); });
    trap.step(130, [&] { ListView1->setColumnWidth(0, PixelsFromTwips(7000)); });

    // Each restore goes through the controls like the user's own change, so the click and
    // change handlers store what they show; the order decides which option of an
    // inconsistently stored group wins.
    trap.step(132, [&] { RestoreOption(Option5, QStringLiteral("Option5"), QStringLiteral("1")); });
    trap.step(134, [&] { RestoreOption(Option4, QStringLiteral("Option4"), QStringLiteral("0")); });
    trap.step(136, [&] { RestoreOption(Option3, QStringLiteral("Option3"), QStringLiteral("0")); });
    trap.step(138, [&] {
        // The default is needed, and can fail, whether or not the key exists.
        const QString desktopFolder = GetDesktopFolder(services_.desktop);
        Text1->setText(services_.settings.read(QStringLiteral("Folder"), desktopFolder));
    });
    trap.step(140, [&] { RestoreOption(Option8, QStringLiteral("Option8"), QStringLiteral("1")); });
    trap.step(142, [&] { RestoreOption(Option7, QStringLiteral("Option7"), QStringLiteral("0")); });
    trap.step(144, [&] { RestoreOption(Option6, QStringLiteral("Option6"), QStringLiteral("0")); });
    trap.step(146, [&] {
        Text2->setText(services_.settings.read(QStringLiteral("Text2"), QStringLiteral("3")));
    });
}

QString Form1::applicationFile(const QString& name) const {
    return QDir::toNativeSeparators(QDir(services_.applicationFolder).filePath(name));
}

void Form1::ApplySkin() {
    const QFileInfo skin(applicationFile(QStringLiteral("x/o.cjs")));
    if (!skin.isFile() || skin.isHidden()) return;
    const QColor buttonFace = QGuiApplication::palette().color(QPalette::Button);
    for (QWidget* control :
         {static_cast<QWidget*>(this), static_cast<QWidget*>(Frame1), static_cast<QWidget*>(Frame2),
          static_cast<QWidget*>(Option3), static_cast<QWidget*>(Option4),
          static_cast<QWidget*>(Option5), static_cast<QWidget*>(Option6),
          static_cast<QWidget*>(Option7), static_cast<QWidget*>(Option8)}) {
        SetBackColor(control, buttonFace);
    }
}

void Form1::SetApplicationTitle() {
    // Drop the last word until the title fits; a name of one word is kept whole.
    QString title = QString::fromLatin1(kProductName);
    do {
        const qsizetype blank = title.lastIndexOf(u' ');
        if (blank < 0) break;
        title.truncate(blank);
    } while (title.size() > kTitleLimit);
    applicationTitle_ = title;
}

void Form1::LoadMouseIcon(const QString& path) {
    std::optional<QCursor> cursor = LoadCursorFile(path);
    if (!cursor) throw RunTimeError("Invalid picture", 481);
    mouseIcon_ = std::move(cursor);
    showPointer();
}

void Form1::ShowHomePageOccasionally() {
    const int draw = static_cast<int>(services_.random.fraction() * 100) + 1;
    if (draw == 7) services_.desktop.openUrl(QString::fromLatin1(kHomePage));
}

void Form1::RestoreOption(QRadioButton* option, const QString& key, const QString& defaultValue) {
    const QString stored = services_.settings.read(key, defaultValue);
    SetOptionValue(option, ToBoolean(stored.toStdString(), numberFormat()));
}

void Form1::Form_Unload() {
    if (ending_) return;
    ending_ = true;
    ErrorTrap trap(services_.dialogs, procedure::kFormUnload);
    trap.step(100, [&] { DeleteFileSafely(services_.scratchFile); });
    RemovePendingFiles();
    trap.step(102, [&] {
        if (services_.endProgram) services_.endProgram();
    });
}

}  // namespace quorvane
