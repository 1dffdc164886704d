#pragma once

// The Qt main window on stand-ins that answer at once, for the benchmarks (see
// bench_services.h), with the offscreen platform's clipboard, and a measure of how long the
// event loop could not run.

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/form1_widget.h"
#include "app/qt_desktop.h"
#include "app/qt_settings_store.h"
#include "bench_services.h"
#include "form/desktop.h"

namespace quorvane::bench {

// A desktop with a spreadsheet application that is never started. The clipboard is the
// offscreen platform's own, inside this process.
class BenchDesktop : public Desktop {
  public:
    std::string openedFile;

    bool openUrl(const std::string&) override { return false; }
    bool openFile(const std::string& path) override {
        openedFile = path;
        return true;
    }
    bool hasSpreadsheetApplication() override { return true; }
    std::string desktopFolder() override { return "/home/someone/Desktop"; }
    void setClipboardText(std::string_view text, YieldHook* hook) override {
        real_.setClipboardText(text, hook);
    }

  private:
    QtDesktop real_;
};

// Notes every pass of the event loop with a timer that is due at each one, and keeps the
// longest time between two passes: how long the window could not answer. Beside it, the
// longest work between two passes: the CPU time the window's thread spent meanwhile, which a
// machine busy with other programs does not stretch as it stretches the wait.
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
        lastWork_ = threadNanoseconds();
        longest_ = 0;
        longestWork_ = 0;
        passes_ = 0;
        pulse_.start();
    }
    void stop() {
        mark();  // the stretch from the last pass to the end counts too
        pulse_.stop();
    }
    double longestSeconds() const { return static_cast<double>(longest_) / 1e9; }
    double longestWorkSeconds() const { return static_cast<double>(longestWork_) / 1e9; }
    long passes() const { return passes_; }

  private:
    static qint64 threadNanoseconds() {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return static_cast<qint64>(now.tv_sec) * 1000000000 + now.tv_nsec;
    }
    void mark() {
        const qint64 now = clock_.nsecsElapsed();
        longest_ = std::max(longest_, now - last_);
        last_ = now;
        const qint64 work = threadNanoseconds();
        longestWork_ = std::max(longestWork_, work - lastWork_);
        lastWork_ = work;
        ++passes_;
    }

    QTimer pulse_;
    QElapsedTimer clock_;
    qint64 last_ = 0;
    qint64 lastWork_ = 0;
    qint64 longest_ = 0;
    qint64 longestWork_ = 0;
    long passes_ = 0;
};

inline double peakMegabytes() {
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The memory the process holds now (its resident set), in MiB.
inline double residentMegabytes() {
    long pages = 0;
    long resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

// A loaded and shown main window on the stand-ins above, with settings of its own.
class BenchWindow {
  public:
    // Runs `walk` where the window's run would walk the disk.
    explicit BenchWindow(decltype(FormServices::walk) walk = WalkFolders)
        : settings(settingsFolder.filePath(QStringLiteral("settings.ini"))),
          window(std::make_unique<Form1Widget>(
              FormServices{dialogs,
                           desktop,
                           drives,
                           random,
                           settings,
                           settingsFolder.path().toStdString(),
                           settingsFolder.filePath(QStringLiteral("vrn.txt")).toStdString(),
                           [] {},
                           {},
                           std::move(walk)})) {}

    // Stores `value` under `key` before the window loads, as the user's last choice.
    void store(const std::string& key, const std::string& value) { settings.write(key, value); }

    Form1Widget& load() {
        window->form().load();
        window->show();
        QGuiApplication::processEvents();
        return *window;
    }

    QTemporaryDir settingsFolder;
    InstantDialogs dialogs;
    BenchDesktop desktop;
    NoDrives drives;
    QuietRandom random;
    QtSettingsStore settings;
    std::unique_ptr<Form1Widget> window;
};

}  // namespace quorvane::bench
