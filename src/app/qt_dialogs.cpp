#include "app/qt_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace quorvane {

QString WithPlainLineBreaks(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

void QtDialogs::message(const QString& text, const QString& title, MessageStyle style) {
    const QMessageBox::Icon icon =
        style == MessageStyle::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon;
    QMessageBox box(icon, title, WithPlainLineBreaks(text), QMessageBox::Ok, owner_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QString QtDialogs::input(const QString& prompt, const QString& title) {
    bool accepted = false;
    const QString answer = QInputDialog::getText(owner_, title, WithPlainLineBreaks(prompt),
                                                 QLineEdit::Normal, QString(), &accepted);
    return accepted ? answer : QString();
}

QString QtDialogs::saveFile(const QString& title, const QString& filter) {
    const QString path = QFileDialog::getSaveFileName(owner_, title, QString(), filter, nullptr,
                                                      QFileDialog::DontConfirmOverwrite);
    return QDir::toNativeSeparators(path);
}

QString QtDialogs::browseFolder(const QString& prompt, const QString& initialFolder) {
    const QString folder = QFileDialog::getExistingDirectory(owner_, prompt, initialFolder);
    return QDir::toNativeSeparators(folder);
}

}  // namespace quorvane
