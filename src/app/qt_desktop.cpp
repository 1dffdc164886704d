#include "app/qt_desktop.h"

#include "text/utf16_text.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QUrl>

namespace quorvane {

bool QtDesktop::openUrl(const std::string& address) {
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
}

bool QtDesktop::openFile(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
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
