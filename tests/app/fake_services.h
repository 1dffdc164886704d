#pragma once

#include <QStringList>
#include <utility>
#include <vector>

#include "app/desktop.h"
#include "app/drive_source.h"
#include "app/random_source.h"
#include "app/settings_store.h"

namespace quorvane::test {

// A desktop that opens nothing and says what it was asked to open, with a clipboard of its
// own.
class FakeDesktop : public Desktop {
  public:
    QStringList openedUrls;
    QStringList openedFiles;
    bool spreadsheetApplication = true;
    bool openFileWorks = true;
    QString folder;  // what desktopFolder() gives; empty when "not found"
    QString clipboard;
    int clipboardWrites = 0;

    bool openUrl(const QString& address) override {
        openedUrls.append(address);
        return true;
    }
    bool openFile(const QString& path) override {
        openedFiles.append(path);
        return openFileWorks;
    }
    bool hasSpreadsheetApplication() override { return spreadsheetApplication; }
    QString desktopFolder() override { return folder; }
    void setClipboardText(const QString& text) override {
        clipboard = text;
        ++clipboardWrites;
    }
};

class FakeDrives : public DriveSource {
  public:
    std::vector<Drive> list;
    std::vector<Drive> drives() override { return list; }
};

class FakeRandom : public RandomSource {
  public:
    double value = 0.5;
    double fraction() override { return value; }
};

// The real store on a file of the test's own, with a log of the writes in their order.
class RecordingSettingsStore : public SettingsStore {
  public:
    using SettingsStore::SettingsStore;
    using Write = std::pair<QString, QString>;

    std::vector<Write> writes;

    void write(const QString& key, const QString& value) override {
        writes.emplace_back(key, value);
        SettingsStore::write(key, value);
    }
};

}  // namespace quorvane::test
