#pragma once

#include <string>

#include "base/status.h"

namespace quorvane {

// Message box styles, as the window's messages use them: the values of the platform's own
// style flags.
enum class MessageStyle {
    OkOnly = 0,       // an OK button alone, no icon
    Exclamation = 48  // an OK button with the warning icon: the error report
};

// Every modal dialog the window opens goes through this interface, so that tests can script
// the user's answers and read back each message with its exact text, title and style. Texts
// are UTF-8; paths are in the program's own form (WTF-8 on Windows).
class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // A modal message box. CR and CR LF in `text` show as line breaks.
    virtual void message(const std::string& text, const std::string& title, MessageStyle style) = 0;
    // An input box with an empty entry field; returns the answer as typed, or an empty text
    // when the user cancels.
    virtual std::string input(const std::string& prompt, const std::string& title) = 0;
    // A save dialog that neither asks before replacing a file nor adds a suffix. `filter` is
    // in the classic form of pairs closed by bars: "Text Files (*.txt)|*.txt|All Files
    // (*.*)|*.*|". Gives the path, or an empty text when the user cancels; fails with the
    // platform's code when the dialog cannot be shown.
    virtual Status saveFile(const std::string& title, const std::string& filter,
                            std::string& path) = 0;
    // A folder browser that preselects `initialFolder` (the default place when empty or
    // missing), with `prompt` as its instruction. Returns the chosen folder, or an empty text
    // on cancel or when the choice is no file-system folder.
    virtual std::string browseFolder(const std::string& prompt,
                                     const std::string& initialFolder) = 0;
};

}  // namespace quorvane
