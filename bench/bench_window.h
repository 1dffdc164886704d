#pragma once

// The main window on stand-ins that answer at once, for the benchmarks: dialogs that answer
// from a field, a desktop that never starts another program, no drives, no home-page visit,
// and a measure of how long the event loop could not run.

#include <sys/resource.h>

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/form1_widget.h"
#include "app/qt_desktop.h"
#include "app/qt_settings_store.h"
#include "form/desktop.h"
#include "form/dialogs.h"
#include "form/drive_source.h"
#include "form/random_source.h"

namespace quorvane::bench {

// Answers every question at once: the filter's text, the text file's path. Keeps the messages.
class InstantDialogs : public Dialogs {
  public:
    std::string inputAnswer;
    std::string saveAnswer;
    std::vector<std::string> messages;

    void message(const std::string& text, const std::string&, MessageStyle) override {
        messages.push_back(text);
    }
    std::string input(const std::string&, const std::string&) override { return inputAnswer; }
    std::string saveFile(const std::string&, const std::string&) override { return saveAnswer; }
    std::string browseFolder(const std::string&, const std::string&) override { return {}; }
};

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

inline double peakMegabytes() {
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// A loaded and shown main window on the stand-ins above, with settings of its own.
class BenchWindow {
  public:
    BenchWindow()
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
                           {}})) {}

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
