#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "form/desktop.h"
#include "form/dialogs.h"
#include "form/drive_source.h"
#include "form/random_source.h"
#include "form/settings_store.h"
#include "text/utf16_text.h"

namespace quorvane::test {

struct ShownMessage {
    std::string text;
    std::string title;
    MessageStyle style = MessageStyle::OkOnly;

    friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
    friend void PrintTo(const ShownMessage& m, std::ostream* out) {
        *out << "{\"" << m.text << "\", \"" << m.title << "\", " << static_cast<int>(m.style)
             << "}";
    }
};

struct DialogRequest {
    std::string prompt;  // the prompt, or the title of a save dialog
    std::string detail;  // the title, the filter or the initial folder

    friend bool operator==(const DialogRequest&, const DialogRequest&) = default;
    friend void PrintTo(const DialogRequest& r, std::ostream* out) {
        *out << "{\"" << r.prompt << "\", \"" << r.detail << "\"}";
    }
};

// Records every dialog the form opens, in order, and answers from a script. An answer that
// is not scripted is the empty text, which every dialog gives on Cancel.
class FakeDialogs : public Dialogs {
  public:
    std::vector<ShownMessage> messages;
    std::vector<DialogRequest> inputs;   // prompt, title
    std::vector<DialogRequest> saves;    // title, filter
    std::vector<DialogRequest> browses;  // prompt, initial folder

    std::deque<std::string> inputAnswers;
    std::deque<std::string> saveAnswers;
    std::deque<std::string> browseAnswers;

    // Runs while a message is "shown", as the user could act while a modal box is up.
    std::function<void(const ShownMessage&)> whileMessageShown;

    void message(const std::string& text, const std::string& title, MessageStyle style) override {
        messages.push_back({text, title, style});
        if (whileMessageShown) whileMessageShown(messages.back());
    }
    std::string input(const std::string& prompt, const std::string& title) override {
        inputs.push_back({prompt, title});
        return next(inputAnswers);
    }
    Status saveFile(const std::string& title, const std::string& filter,
                    std::string& path) override {
        saves.push_back({title, filter});
        path = next(saveAnswers);
        return {};
    }
    std::string browseFolder(const std::string& prompt, const std::string& initial) override {
        browses.push_back({prompt, initial});
        return next(browseAnswers);
    }

  private:
    static std::string next(std::deque<std::string>& answers) {
        if (answers.empty()) return {};
        std::string answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// A desktop that opens nothing and says what it was asked to open, with a clipboard of its
// own.
class FakeDesktop : public Desktop {
  public:
    std::vector<std::string> openedUrls;
    std::vector<std::string> openedFiles;
    bool spreadsheetApplication = true;
    bool openFileWorks = true;
    std::string folder;  // what desktopFolder() gives; empty when "not found"
    std::u16string clipboard;
    int clipboardWrites = 0;

    bool openUrl(const std::string& address) override {
        openedUrls.push_back(address);
        return true;
    }
    bool openFile(const std::string& path) override {
        openedFiles.push_back(path);
        return openFileWorks;
    }
    bool hasSpreadsheetApplication() override { return spreadsheetApplication; }
    std::string desktopFolder() override { return folder; }
    void setClipboardText(std::string_view text, YieldHook* hook) override {
        clipboard.assign(text.size(), u'\0');
        clipboard.resize(ToUtf16(text, clipboard.data(), hook));
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

// A store in memory that finds keys without regard to letter case, as the real stores do, and
// logs the writes in their order.
class FakeSettings : public SettingsStore {
  public:
    using Write = std::pair<std::string, std::string>;
    std::vector<Write> writes;

    std::string read(const std::string& key, const std::string& defaultValue) const override {
        const auto found = find(key);
        return found == values_.end() ? defaultValue : found->second;
    }
    void write(const std::string& key, const std::string& value) override {
        writes.emplace_back(key, value);
        put(key, value);
    }
    // Puts a value in the store without logging it, as one left by an earlier start.
    void put(const std::string& key, const std::string& value) {
        const auto found = find(key);
        if (found == values_.end()) {
            values_.emplace_back(key, value);
        } else {
            found->second = value;
        }
    }
    // The value under exactly this spelling of the key; "<none>" when there is none.
    std::string stored(const std::string& key) const {
        for (const Write& entry : values_) {
            if (entry.first == key) return entry.second;
        }
        return "<none>";
    }
    std::vector<std::string> keys() const {
        std::vector<std::string> names;
        for (const Write& entry : values_)
            names.push_back(entry.first);
        std::sort(names.begin(), names.end());
        return names;
    }

  private:
    static bool sameKey(const std::string& a, const std::string& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return std::tolower(static_cast<unsigned char>(x)) ==
                   std::tolower(static_cast<unsigned char>(y));
        });
    }
    std::vector<Write>::iterator find(const std::string& key) {
        return std::find_if(values_.begin(), values_.end(),
                            [&](const Write& entry) { return sameKey(entry.first, key); });
    }
    std::vector<Write>::const_iterator find(const std::string& key) const {
        return std::find_if(values_.begin(), values_.end(),
                            [&](const Write& entry) { return sameKey(entry.first, key); });
    }

    std::vector<Write> values_;
};

}  // namespace quorvane::test
