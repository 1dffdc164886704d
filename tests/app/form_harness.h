#pragma once

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/form1.h"
#include "fake_dialogs.h"
#include "fake_services.h"

namespace quorvane::test {

// A main window on fakes: its settings in a file of the test's own, a folder standing in for
// the program's folder, a desktop folder that exists only by name, and a scratch file path in
// the test's folder. Ending the program is only counted.
class FormHarness {
  public:
    FormHarness()
        : settingsPath_(dir_.filePath(QStringLiteral("settings.ini"))), settings(settingsPath_) {
        desktop.folder = QDir::cleanPath(dir_.filePath(QStringLiteral("Desktop")));
        applicationFolder = dir_.filePath(QStringLiteral("program"));
        QDir().mkpath(applicationFolder);
        scratchFile = dir_.filePath(QStringLiteral("vrn.txt"));
    }

    Form1Services services() {
        return {dialogs,  desktop,           drives,      random,
                settings, applicationFolder, scratchFile, [this] { ++endProgramCalls; },
                locale};
    }

    // Creates the window and runs its start-up, as the program does before showing it.
    Form1& load() {
        form = std::make_unique<Form1>(services());
        form->Form_Load();
        return *form;
    }

    // Shows the loaded window as the active one, so that focus moves as for the user.
    void showActive() {
        form->show();
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    // A value as it lies in the settings file, read past the store under test.
    QString stored(const QString& key) const {
        return QSettings(settingsPath_, QSettings::IniFormat).value(key).toString();
    }
    QStringList storedKeys() const {
        QStringList keys = QSettings(settingsPath_, QSettings::IniFormat).childKeys();
        keys.sort();
        return keys;
    }
    // Puts a value in the store before the window starts.
    void store(const QString& key, const QString& value) {
        settings.SettingsStore::write(key, value);
    }

    QString programFile(const QString& name) const {
        return QDir(applicationFolder).filePath(name);
    }

  private:
    QTemporaryDir dir_;
    QString settingsPath_;

  public:
    FakeDialogs dialogs;
    FakeDesktop desktop;
    FakeDrives drives;
    FakeRandom random;
    RecordingSettingsStore settings;
    QString applicationFolder;
    QString scratchFile;
    QLocale locale{QLocale::English, QLocale::UnitedStates};
    int endProgramCalls = 0;
    std::unique_ptr<Form1> form;
};

}  // namespace quorvane::test
