#pragma once

#include "form/desktop.h"

namespace quorvane {

// The desktop of the machine the program runs on, through Qt's desktop services.
class QtDesktop : public Desktop {
  public:
    bool openUrl(const std::string& address) override;
    bool openFile(const std::string& path) override;
    // Asked of the platform's own register of programs: qt_desktop_posix.cpp,
    // qt_desktop_windows.cpp.
    bool hasSpreadsheetApplication() override;
    std::string desktopFolder() override;
    void setClipboardText(std::string_view text, YieldHook* hook) override;
};

}  // namespace quorvane
