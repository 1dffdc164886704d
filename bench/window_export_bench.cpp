// quorvane-window-bench: runs one command of the results list through the real main window,
// shown on the offscreen platform, on a list of generated paths. Dialogs answer at once, the
// workbook is never opened. Prints one line: the command, its seconds, the longest time the
// window's event loop did not run, how many times it ran, and the peak memory before and after.
//
// One command per process, so each peak is that command's own.

#include <sys/resource.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/desktop.h"
#include "app/dialogs.h"
#include "app/drive_source.h"
#include "app/form1.h"
#include "app/random_source.h"
#include "app/results_list_model.h"
#include "app/settings_store.h"
#include "generated_paths.h"

namespace {

using namespace quorvane;

// Answers every question at once: the filter's text, the text file's path. Keeps the messages.
class InstantDialogs : public Dialogs {
  public:
    QString inputAnswer;
    QString saveAnswer;
    QStringList messages;

    void message(const QString& text, const QString&, MessageStyle) override {
        messages.append(text);
    }
    QString input(const QString&, const QString&) override { return inputAnswer; }
    QString saveFile(const QString&, const QString&) override { return saveAnswer; }
    QString browseFolder(const QString&, const QString&) override { return {}; }
};

// A desktop with a spreadsheet application that is never started. The clipboard is the
// offscreen platform's own, inside this process.
class BenchDesktop : public Desktop {
  public:
    QString openedFile;

    bool openUrl(const QString&) override { return false; }
    bool openFile(const QString& path) override {
        openedFile = path;
        return true;
    }
    bool hasSpreadsheetApplication() override { return true; }
    QString desktopFolder() override { return QStringLiteral("/home/someone/Desktop"); }
    void setClipboardText(const QString& text) override {
        QGuiApplication::clipboard()->setText(text);
    }
};

class NoDrives : public DriveSource {
  public:
    std::vector<Drive> drives() override { return {}; }
};

class QuietRandom : public RandomSource {
  public:
    double fraction() override { return 0.5; }
};

// Notes every pass of the event loop with a timer that is due at each one, and keeps the
// longest time between two passes: how long the window could not answer.
class EventLoopGaps {
  public:
    EventLoopGaps() {
        pulse_.setTimerType(Qt::PreciseTimer);
        pulse_.setInterval(1);
        QObject::connect(&pulse_, &QTimer::timeout, [this] { mark(); });
    }
    void start() {
        clock_.start();
        last_ = 0;
        pulse_.start();
    }
    void stop() {
        mark();  // the stretch from the last pass to the end counts too
        pulse_.stop();
    }
    double longestSeconds() const { return static_cast<double>(longest_) / 1e9; }
    long passes() const { return passes_; }

  private:
    void mark() {
        const qint64 now = clock_.nsecsElapsed();
        longest_ = std::max(longest_, now - last_);
        last_ = now;
        ++passes_;
    }

    QTimer pulse_;
    QElapsedTimer clock_;
    qint64 last_ = 0;
    qint64 longest_ = 0;
    long passes_ = 0;
};

double peakMegabytes() {
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Runs the command and names the message that says it worked (none for the filters and the
// workbook). False for a command that this program does not know.
bool run(const std::string& operation, Form1& form, InstantDialogs& dialogs, const QString& folder,
         QString& expectedMessage) {
    if (operation == "containing") {
        dialogs.inputAnswer = QStringLiteral("CACHE");
        form.PushButton19_Click();
    } else if (operation == "not-containing") {
        dialogs.inputAnswer = QStringLiteral("cache");
        form.PushButton20_Click();
    } else if (operation == "text-file") {
        dialogs.saveAnswer = folder + QStringLiteral("/quorvane-window-bench.txt");
        form.PushButton2_Click();
        QFile::remove(dialogs.saveAnswer);
        expectedMessage = QStringLiteral("Done.");
    } else if (operation == "clipboard") {
        form.PushButton7_Click();
        expectedMessage = QStringLiteral("Results have been copied to the clipboard.");
    } else if (operation == "workbook") {
        form.PushButton4_Click();
    } else {
        std::fprintf(stderr, "unknown operation: %s\n", operation.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr,
                     "Usage: quorvane-window-bench "
                     "containing|not-containing|text-file|clipboard|workbook [COUNT] [FOLDER]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::string operation = argv[1];
    const size_t count = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1000000;
    const QString folder = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QDir::tempPath();

    QTemporaryDir settingsFolder;
    InstantDialogs dialogs;
    BenchDesktop desktop;
    NoDrives drives;
    QuietRandom random;
    SettingsStore settings(settingsFolder.filePath(QStringLiteral("settings.ini")));
    const Form1Services services{dialogs,
                                 desktop,
                                 drives,
                                 random,
                                 settings,
                                 settingsFolder.path(),
                                 settingsFolder.filePath(QStringLiteral("vrn.txt")),
                                 [] {}};
    Form1 form(services);
    form.Form_Load();
    form.show();
    bench::GeneratePaths(count, [&form](const std::string& path) { form.Results().append(path); });
    form.Results().publishAppended();
    QApplication::processEvents();
    const double before = peakMegabytes();
    const std::int64_t entriesBefore = form.Results().count();

    EventLoopGaps gaps;
    QString expectedMessage;
    QElapsedTimer clock;
    gaps.start();
    clock.start();
    const bool known = run(operation, form, dialogs, folder, expectedMessage);
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    gaps.stop();
    if (!known) return 2;
    if (!desktop.openedFile.isEmpty()) QFile::remove(desktop.openedFile);

    std::printf(
        "%-15s %9zu entries %7.2f s   event loop: longest wait %6.3f s, %6ld passes   "
        "peak %7.1f MB (with the list %7.1f MB)\n",
        operation.c_str(), count, seconds, gaps.longestSeconds(), gaps.passes(), peakMegabytes(),
        before);

    // A command that failed, or did something else than expected, makes no figure.
    const bool reportedSuccess =
        expectedMessage.isEmpty()
            ? dialogs.messages.isEmpty()
            : dialogs.messages.size() == 1 && dialogs.messages[0].startsWith(expectedMessage);
    const bool changedAsExpected = operation.find("containing") == std::string::npos
                                       ? form.Results().count() == entriesBefore
                                       : std::abs(2 * form.Results().count() - entriesBefore) <= 1;
    const bool workbookOpened = operation != "workbook" || !desktop.openedFile.isEmpty();
    if (!reportedSuccess || !changedAsExpected || !workbookOpened || form.MousePointer() != 0) {
        for (const QString& message : dialogs.messages)
            std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
        std::fprintf(stderr, "%s did not end as expected\n", operation.c_str());
        return 1;
    }
    return 0;
}
