#pragma once

#include <QPointer>
#include <QWidget>

#include "form/dialogs.h"

namespace quorvane {

// The platform's own dialogs through Qt, modal over the main window once it is set.
class QtDialogs : public Dialogs {
  public:
    // The window the dialogs belong to; until it is set they stand alone.
    void setOwner(QWidget* owner) { owner_ = owner; }

    void message(const std::string& text, const std::string& title, MessageStyle style) override;
    std::string input(const std::string& prompt, const std::string& title) override;
    Status saveFile(const std::string& title, const std::string& filter,
                    std::string& path) override;
    std::string browseFolder(const std::string& prompt, const std::string& initialFolder) override;

  private:
    QPointer<QWidget> owner_;
};

// A message text with its CR LF and bare CR line breaks written as LF, as Qt shows them.
QString WithPlainLineBreaks(QString text);

// A filter of the classic form, "Text Files (*.txt)|*.txt|All Files (*.*)|*.*|", in Qt's:
// "Text Files (*.txt);;All Files (*.*)".
QString QtFileFilter(const std::string& filter);

}  // namespace quorvane
