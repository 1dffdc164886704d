// quorvane-screenshot FILE.png: saves a picture of the main window as it opens at a first
// start, for the README. Runs on any Qt platform, offscreen included; it uses a settings file
// of its own, so the user's choices are neither shown nor changed, and it never opens a
// browser.

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

#include "app/form1.h"
#include "app/scratch_file.h"

namespace {

using namespace quorvane;

// Messages go to standard error: a modal box would wait for a user who is not there.
class PrintedDialogs : public Dialogs {
  public:
    void message(const QString& text, const QString& title, MessageStyle) override {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
    }
    QString input(const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&) override { return {}; }
    QString browseFolder(const QString&, const QString&) override { return {}; }
};

// A desktop whose folder reads the same on every machine, and that opens nothing.
class PictureDesktop : public Desktop {
  public:
    bool openUrl(const QString&) override { return false; }
    bool openFile(const QString&) override { return false; }
    bool hasSpreadsheetApplication() override { return false; }
    QString desktopFolder() override { return QStringLiteral("/home/user/Desktop"); }
    void setClipboardText(const QString&) override {}
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
    SettingsStore settings(scratch.filePath(QStringLiteral("settings.ini")));
    const Form1Services services{dialogs,
                                 desktop,
                                 drives,
                                 random,
                                 settings,
                                 QCoreApplication::applicationDirPath(),
                                 scratch.filePath(QStringLiteral("vrn.txt")),
                                 [] {}};
    Form1 form(services);
    form.Form_Load();
    form.show();
    QCoreApplication::processEvents();
    if (!form.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "quorvane-screenshot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
