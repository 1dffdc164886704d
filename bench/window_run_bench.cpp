// Runs "Start Creating List" in the real window, offscreen, on a folder given on the command
// line, and reports what a user would feel: the run's wall time, the longest wait between two
// passes of the event loop, how long scrolling to the end of the filled list and back takes,
// and what the filled list costs in memory against the bytes of its paths.
//
//   quorvane-window-run-bench FOLDER

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

#include "app/desktop.h"
#include "app/dialogs.h"
#include "app/drive_source.h"
#include "app/form1.h"
#include "app/random_source.h"
#include "app/results_list_model.h"
#include "app/settings_store.h"

namespace {

using namespace quorvane;

// Answers every dialog at once; remembers when "Done." came.
class InstantDialogs : public Dialogs {
public:
    QElapsedTimer* clock = nullptr;
    qint64 doneAt = -1;
    void message(const QString& text, const QString&, MessageStyle) override {
        if (text == QLatin1String("Done.")) doneAt = clock->nsecsElapsed();
        else std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    QString input(const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&) override { return {}; }
    QString browseFolder(const QString&, const QString&) override { return {}; }
};

class NoDesktop : public Desktop {
public:
    bool openUrl(const QString&) override { return true; }
    bool openFile(const QString&) override { return true; }
    bool hasSpreadsheetApplication() override { return false; }
    QString desktopFolder() override { return QStringLiteral("/tmp"); }
    void setClipboardText(const QString&) override {}
};

class NoDrives : public DriveSource {
public:
    std::vector<Drive> drives() override { return {}; }
};

class NeverHomePage : public RandomSource {
public:
    double fraction() override { return 0.5; }
};

long peakKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorvane-window-run-bench FOLDER\n");
        return 2;
    }
    QTemporaryDir scratch;
    SettingsStore settings(scratch.filePath(QStringLiteral("settings.ini")));
    settings.write(QStringLiteral("Folder"), QString::fromLocal8Bit(argv[1]));
    InstantDialogs dialogs;
    NoDesktop desktop;
    NoDrives drives;
    NeverHomePage random;
    Form1 form({dialogs, desktop, drives, random, settings, scratch.path(),
                scratch.filePath(QStringLiteral("vrn.txt")), [] {}});
    form.Form_Load();
    form.show();
    QCoreApplication::processEvents();

    // A zero timer fires once in every pass of the event loop, so the gaps between its
    // firings are the gaps a user's input would wait.
    QElapsedTimer clock;
    dialogs.clock = &clock;
    qint64 lastPass = 0;
    qint64 longestGap = 0;
    long passes = 0;
    QTimer pass;
    pass.setInterval(0);
    QObject::connect(&pass, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longestGap = std::max(longestGap, now - lastPass);
        lastPass = now;
        ++passes;
    });
    pass.start();
    clock.start();
    form.PushButton1_Click();
    const qint64 runEnd = dialogs.doneAt >= 0 ? dialogs.doneAt : clock.nsecsElapsed();
    longestGap = std::max(longestGap, runEnd - lastPass);
    pass.stop();

    QElapsedTimer scrolling;
    scrolling.start();
    form.ListView1->scrollToBottom();
    QCoreApplication::processEvents();
    form.ListView1->scrollToTop();
    QCoreApplication::processEvents();
    const qint64 scrollNs = scrolling.nsecsElapsed();

    const ResultsListModel& results = form.Results();
    size_t pathBytes = 0;
    for (size_t i = 0; i < results.paths().size(); ++i) pathBytes += results.paths()[i].size();
    const double entries = static_cast<double>(results.count());
    const double perEntry =
        entries > 0 ? (static_cast<double>(results.paths().memoryUsage()) - pathBytes) / entries
                    : 0;

    std::printf("entries            %lld\n", static_cast<long long>(results.count()));
    std::printf("run                %.3f s\n", runEnd / 1e9);
    std::printf("event-loop passes  %ld\n", passes);
    std::printf("longest gap        %.1f ms\n", longestGap / 1e6);
    std::printf("scroll end, back   %.1f ms\n", scrollNs / 1e6);
    std::printf("list memory        %.1f MiB for %.1f MiB of paths: %.1f bytes per entry over them\n",
                results.paths().memoryUsage() / 1048576.0, pathBytes / 1048576.0, perEntry);
    std::printf("peak memory        %.1f MiB\n", peakKilobytes() / 1024.0);
    return 0;
}
