#pragma once

#include <QString>

namespace quorvane {

// Message box styles, as the window's messages use them.
enum class MessageStyle {
    OkOnly = 0,       // an OK button alone, no icon
    Exclamation = 48  // an OK button with the warning icon: the error report
};

// Every modal dialog the window opens goes through this interface, so that tests can script
// the user's answers and read back each message with its exact text, title and style.
class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // A modal message box. CR and CR LF in `text` show as line breaks.
    virtual void message(const QString& text, const QString& title, MessageStyle style) = 0;
    // An input box with an empty entry field; returns the answer as typed, or an empty text
    // when the user cancels.
    virtual QString input(const QString& prompt, const QString& title) = 0;
    // A save dialog that neither asks before replacing a file nor adds a suffix; `filter` is
    // in Qt's form ("Text Files (*.txt);;All Files (*.*)"). Returns the path, or an empty
    // text when the user cancels.
    virtual QString saveFile(const QString& title, const QString& filter) = 0;
    // A folder browser opened at `initialFolder` (the default place when empty or missing),
    // with `prompt` as its caption. Returns the chosen folder, or an empty text on cancel.
    virtual QString browseFolder(const QString& prompt, const QString& initialFolder) = 0;
};

}  // namespace quorvane
