#pragma once

#include "app/desktop.h"

namespace quorvane {

// The desktop of the machine the program runs on, through Qt's desktop services.
class QtDesktop : public Desktop {
  public:
    bool openUrl(const QString& address) override;
    bool openFile(const QString& path) override;
    bool hasSpreadsheetApplication() override;
    QString desktopFolder() override;
    void setClipboardText(const QString& text) override;
};

}  // namespace quorvane
