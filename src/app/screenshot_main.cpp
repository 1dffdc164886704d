// quorvane-screenshot FILE.png: saves a picture of the main window as it opens at a first
// start, for the README. Runs on any Qt platform, offscreen included; it uses a settings file
// of its own, so the user's choices are neither shown nor changed, and it never opens a
// browser.

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

#include "app/form1_widget.h"
#include "app/qt_settings_store.h"

namespace {

using namespace quorvane;

// Messages go to standard error: a modal box would wait for a user who is not there.
class PrintedDialogs : public Dialogs {
  public:
    void message(const std::string& text, const std::string& title, MessageStyle) override {
        std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    }
    std::string input(const std::string&, const std::string&) override { return {}; }
    Status saveFile(const std::string&, const std::string&, std::string&) override { return {}; }
    std::string browseFolder(const std::string&, const std::string&) override { return {}; }
};

// A desktop whose folder reads the same on every machine, and that opens nothing.
class PictureDesktop : public Desktop {
  public:
    bool openUrl(const std::string&) override { return false; }
    bool openFile(const std::string&) override { return false; }
    bool hasSpreadsheetApplication() override { return false; }
    std::string desktopFolder() override { return "/home/user/Desktop"; }
    void setClipboardText(std::string_view, YieldHook*) override {}
};

// Never the draw that visits the home page.
class QuietRandom : public RandomSource {
  public:
    double fraction() override { return 0.5; }
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorvane-screenshot FILE.png\n");
        return 2;
    }
    QTemporaryDir scratch;
    if (!scratch.isValid()) return 1;

    PrintedDialogs dialogs;
    PictureDesktop desktop;
    SystemDriveSource drives;
    QuietRandom random;
    QtSettingsStore settings(scratch.filePath(QStringLiteral("settings.ini")));
    const FormServices services{dialogs,
                                desktop,
                                drives,
                                random,
                                settings,
                                QCoreApplication::applicationDirPath().toStdString(),
                                scratch.filePath(QStringLiteral("vrn.txt")).toStdString(),
                                [] {},
                                {}};
    Form1Widget window(services);
    window.form().load();
    window.show();
    QCoreApplication::processEvents();
    if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "quorvane-screenshot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
