#pragma once

#include <QPointer>
#include <QWidget>

#include "app/dialogs.h"

namespace quorvane {

// The platform's own dialogs through Qt, modal over the main window once it is set.
class QtDialogs : public Dialogs {
  public:
    // The window the dialogs belong to; until it is set they stand alone.
    void setOwner(QWidget* owner) { owner_ = owner; }

    void message(const QString& text, const QString& title, MessageStyle style) override;
    QString input(const QString& prompt, const QString& title) override;
    QString saveFile(const QString& title, const QString& filter) override;
    QString browseFolder(const QString& prompt, const QString& initialFolder) override;

  private:
    QPointer<QWidget> owner_;
};

// A message text with its CR LF and bare CR line breaks written as LF, as Qt shows them.
QString WithPlainLineBreaks(QString text);

}  // namespace quorvane
