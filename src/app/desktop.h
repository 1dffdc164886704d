#pragma once

#include <QString>

namespace quorvane {

// The desktop services the window asks of the platform, behind one interface so that tests
// never open a real browser or spreadsheet program and never read the user's own desktop or
// clipboard.
class Desktop {
  public:
    virtual ~Desktop() = default;

    // Opens a web address in the user's browser without waiting for it.
    virtual bool openUrl(const QString& address) = 0;
    // Opens a file with the application the desktop associates with its type.
    virtual bool openFile(const QString& path) = 0;
    // Whether an application is registered for .xlsx workbooks.
    virtual bool hasSpreadsheetApplication() = 0;
    // The user's desktop folder, without a trailing separator; empty when it cannot be found.
    virtual QString desktopFolder() = 0;
    // Puts `text` on the clipboard as plain text, in place of what it held.
    virtual void setClipboardText(const QString& text) = 0;
};

}  // namespace quorvane
