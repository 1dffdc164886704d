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

#include "app/desktop.h"
#include "app/dialogs.h"
#include "app/drive_source.h"
#include "app/form1.h"
#include "app/random_source.h"
#include "app/settings_store.h"

namespace quorvane::bench {

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
          form(std::make_unique<Form1>(
              Form1Services{dialogs, desktop, drives, random, settings, settingsFolder.path(),
                            settingsFolder.filePath(QStringLiteral("vrn.txt")), [] {}})) {}

    // Stores `value` under `key` before the window loads, as the user's last choice.
    void store(const QString& key, const QString& value) { settings.write(key, value); }

    Form1& load() {
        form->Form_Load();
        form->show();
        QGuiApplication::processEvents();
        return *form;
    }

    QTemporaryDir settingsFolder;
    InstantDialogs dialogs;
    BenchDesktop desktop;
    NoDrives drives;
    QuietRandom random;
    SettingsStore settings;
    std::unique_ptr<Form1> form;
};

}  // namespace quorvane::bench
