#pragma once

#include <string>
#include <string_view>

#include "base/yield_hook.h"

namespace quorvane {

// The desktop services the window asks of the platform, behind one interface so that tests
// never open a real browser or spreadsheet program and never read the user's own desktop or
// clipboard. Texts are UTF-8, paths in the program's own form (WTF-8 on Windows).
class Desktop {
  public:
    virtual ~Desktop() = default;

    // Opens a web address in the user's browser without waiting for it.
    virtual bool openUrl(const std::string& address) = 0;
    // Opens a file with the application the desktop associates with its type.
    virtual bool openFile(const std::string& path) = 0;
    // Whether an application is registered for .xlsx workbooks.
    virtual bool hasSpreadsheetApplication() = 0;
    // The user's desktop folder, without a trailing separator; empty when it cannot be found.
    virtual std::string desktopFolder() = 0;
    // Puts `text` (UTF-8) on the clipboard as plain text, in place of what it held. The
    // clipboard keeps its own form, UTF-16 on every platform: the conversion of a long text
    // goes in pieces (ToUtf16) with `hook` letting the window run between them.
    virtual void setClipboardText(std::string_view text, YieldHook* hook) = 0;
};

}  // namespace quorvane
