#pragma once

#include <windows.h>

#include "form/desktop.h"

namespace quorvane {

// The desktop of Windows: the shell starts programs and opens files with the program their
// type is associated with, and the clipboard takes the text as CF_UNICODETEXT.
class Win32Desktop : public Desktop {
  public:
    // How often an emptying or a filling of the clipboard is tried while another program
    // holds it open.
    static constexpr int kClipboardAttempts = 1000;

    // The window that owns what the program puts on the clipboard.
    void setOwner(HWND owner) { owner_ = owner; }

    bool openUrl(const std::string& address) override;
    bool openFile(const std::string& path) override;
    bool hasSpreadsheetApplication() override;
    std::string desktopFolder() override;
    void setClipboardText(std::string_view text, YieldHook* hook) override;

  private:
    HWND owner_ = nullptr;
};

// Empties the clipboard, trying up to kClipboardAttempts times; nothing is reported.
void ClearClipboard(HWND owner);
// Puts the text in `memory` (UTF-16 with its terminating zero, from GlobalAlloc) on the
// clipboard as CF_UNICODETEXT, trying up to kClipboardAttempts times. The clipboard takes the
// memory when it succeeds; otherwise it is freed. Whether the text is there.
bool SetClipboardText(HWND owner, HGLOBAL memory);

}  // namespace quorvane
