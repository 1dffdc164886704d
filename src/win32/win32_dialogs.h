#pragma once

#include <windows.h>

#include "form/dialogs.h"

namespace quorvane {

// The dialogs of Windows: MessageBoxW with the message's own style, an input box, the common
// save dialog and the shell's folder browser, each modal over the main window once it is set.
class Win32Dialogs : public Dialogs {
  public:
    void setOwner(HWND owner) { owner_ = owner; }

    void message(const std::string& text, const std::string& title, MessageStyle style) override;
    std::string input(const std::string& prompt, const std::string& title) override;
    Status saveFile(const std::string& title, const std::string& filter,
                    std::string& path) override;
    std::string browseFolder(const std::string& prompt, const std::string& initialFolder) override;

  private:
    HWND owner_ = nullptr;
};

// A filter of the classic form, "Text Files (*.txt)|*.txt|All Files (*.*)|*.*|", as the
// common dialogs take it: the bars become NULs, and two NULs end it.
std::wstring CommonDialogFilter(const std::string& filter);

}  // namespace quorvane
