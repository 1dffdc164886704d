#include "app/qt_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <cstdlib>
#include <new>

#include "form/event_failures.h"

namespace quorvane {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The room, beyond what is in use, that Qt's file dialogs are opened with: they read folders
// on a thread of their own, where a refused allocation would end the program, since no
// exception leaves a Qt thread. The thread's stack takes 8 MiB, and the save dialog over a
// million results took 3 to 4 MiB more under a limit of the address space.
constexpr size_t kFileDialogRoom = size_t{16} << 20;

// Without that room a file dialog is not opened: the command reports the shortage instead.
void RequireRoomForFileDialog() {
    void* room = std::malloc(kFileDialogRoom);
    if (!room) throw std::bad_alloc();
    std::free(room);
}

}  // namespace

QString WithPlainLineBreaks(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString QtFileFilter(const std::string& filter) {
    // Qt shows the names, which already carry their patterns.
    const QStringList parts = FromUtf8(filter).split(u'|');
    QStringList names;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        names.append(parts[i]);
    return names.join(QStringLiteral(";;"));
}

void QtDialogs::message(const std::string& text, const std::string& title, MessageStyle style) {
    const QMessageBox::Icon icon =
        style == MessageStyle::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon;
    QMessageBox box(icon, FromUtf8(title), WithPlainLineBreaks(FromUtf8(text)), QMessageBox::Ok,
                    owner_);
    box.setTextFormat(Qt::PlainText);
    RunDialog([&] { return box.exec(); });
}

std::string QtDialogs::input(const std::string& prompt, const std::string& title) {
    bool accepted = false;
    const QString answer = RunDialog([&] {
        return QInputDialog::getText(owner_, FromUtf8(title), WithPlainLineBreaks(FromUtf8(prompt)),
                                     QLineEdit::Normal, QString(), &accepted);
    });
    return accepted ? answer.toStdString() : std::string();
}

Status QtDialogs::saveFile(const std::string& title, const std::string& filter, std::string& path) {
    RequireRoomForFileDialog();
    const QString chosen = RunDialog([&] {
        return QFileDialog::getSaveFileName(owner_, FromUtf8(title), QString(),
                                            QtFileFilter(filter), nullptr,
                                            QFileDialog::DontConfirmOverwrite);
    });
    path = QDir::toNativeSeparators(chosen).toStdString();
    return {};
}

std::string QtDialogs::browseFolder(const std::string& prompt, const std::string& initialFolder) {
    RequireRoomForFileDialog();
    const QString folder = RunDialog([&] {
        return QFileDialog::getExistingDirectory(owner_, FromUtf8(prompt), FromUtf8(initialFolder));
    });
    return QDir::toNativeSeparators(folder).toStdString();
}

}  // namespace quorvane
