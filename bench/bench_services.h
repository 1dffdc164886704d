#pragma once

// Stand-ins for the window's services that answer at once, for the benchmarks of either
// window: dialogs that answer from a field, no drives, no home-page visit, settings in memory.

#include <map>
#include <string>
#include <vector>

#include "form/dialogs.h"
#include "form/drive_source.h"
#include "form/random_source.h"
#include "form/settings_store.h"

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
    Status saveFile(const std::string&, const std::string&, std::string& path) override {
        path = saveAnswer;
        return {};
    }
    std::string browseFolder(const std::string&, const std::string&) override { return {}; }
};

class NoDrives : public DriveSource {
  public:
    std::vector<Drive> drives() override { return {}; }
};

class QuietRandom : public RandomSource {
  public:
    double fraction() override { return 0.5; }
};

class MemorySettings : public SettingsStore {
  public:
    std::string read(const std::string& key, const std::string& defaultValue) const override {
        const auto found = values_.find(key);
        return found == values_.end() ? defaultValue : found->second;
    }
    void write(const std::string& key, const std::string& value) override { values_[key] = value; }

  private:
    std::map<std::string, std::string> values_;
};

}  // namespace quorvane::bench
