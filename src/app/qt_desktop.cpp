#include "app/qt_desktop.h"

#include "text/utf16_text.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#ifdef _WIN32
#include <QSettings>
#endif

namespace quorvane {

namespace {

constexpr char kWorkbookMimeType[] =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet";

}  // namespace

bool QtDesktop::openUrl(const std::string& address) {
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
}

bool QtDesktop::openFile(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

bool QtDesktop::hasSpreadsheetApplication() {
#ifdef _WIN32
    // An .xlsx association names a program identifier under the classes root.
    QSettings classes("HKEY_CLASSES_ROOT\\.xlsx", QSettings::NativeFormat);
    return !classes.value(".").toString().isEmpty();
#elif defined(__APPLE__)
    // Launch Services offers no query through Qt; macOS ships a viewer for workbooks.
    return true;
#else
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                             QString::fromLatin1(kWorkbookMimeType)});
    if (!query.waitForFinished(5000) || query.exitStatus() != QProcess::NormalExit) return false;
    return !query.readAllStandardOutput().trimmed().isEmpty();
#endif
}

std::string QtDesktop::desktopFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    // A new account has no desktop folder until a desktop makes one; the home folder, which
    // file managers show in its place, is where the user would look first.
    if (!QFileInfo(folder).isDir()) folder = QDir::homePath();
    return QDir::toNativeSeparators(folder).toStdString();
}

void QtDesktop::setClipboardText(std::string_view text, YieldHook* hook) {
    // Never more UTF-16 units than bytes, and the new units are left uninitialised.
    QString converted(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    converted.truncate(
        static_cast<qsizetype>(ToUtf16(text, reinterpret_cast<char16_t*>(converted.data()), hook)));
    // Qt's platform code retries a clipboard that another program holds open.
    QGuiApplication::clipboard()->setText(converted, QClipboard::Clipboard);
}

}  // namespace quorvane
