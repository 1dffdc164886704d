#pragma once

#include <deque>
#include <functional>
#include <ostream>
#include <vector>

#include "app/dialogs.h"
#include "qt_printers.h"

namespace quorvane::test {

struct ShownMessage {
    QString text;
    QString title;
    MessageStyle style = MessageStyle::OkOnly;

    friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
    friend void PrintTo(const ShownMessage& m, std::ostream* out) {
        *out << "{\"" << m.text.toStdString() << "\", \"" << m.title.toStdString() << "\", "
             << static_cast<int>(m.style) << "}";
    }
};

struct BrowseRequest {
    QString prompt;
    QString initialFolder;

    friend bool operator==(const BrowseRequest&, const BrowseRequest&) = default;
    friend void PrintTo(const BrowseRequest& b, std::ostream* out) {
        *out << "{\"" << b.prompt.toStdString() << "\", \"" << b.initialFolder.toStdString()
             << "\"}";
    }
};

struct InputRequest {
    QString prompt;
    QString title;

    friend bool operator==(const InputRequest&, const InputRequest&) = default;
};

struct SaveRequest {
    QString title;
    QString filter;

    friend bool operator==(const SaveRequest&, const SaveRequest&) = default;
};

// Records every dialog the window opens, in order, and answers from a script. An answer that
// is not scripted is the empty text, which every dialog gives on Cancel.
class FakeDialogs : public Dialogs {
  public:
    std::vector<ShownMessage> messages;
    std::vector<InputRequest> inputs;
    std::vector<SaveRequest> saves;
    std::vector<BrowseRequest> browses;

    std::deque<QString> inputAnswers;
    std::deque<QString> saveAnswers;
    std::deque<QString> browseAnswers;

    // Runs while a message is "shown", as the user could act while a modal box is up.
    std::function<void(const ShownMessage&)> whileMessageShown;

    void message(const QString& text, const QString& title, MessageStyle style) override {
        messages.push_back({text, title, style});
        if (whileMessageShown) whileMessageShown(messages.back());
    }
    QString input(const QString& prompt, const QString& title) override {
        inputs.push_back({prompt, title});
        return next(inputAnswers);
    }
    QString saveFile(const QString& title, const QString& filter) override {
        saves.push_back({title, filter});
        return next(saveAnswers);
    }
    QString browseFolder(const QString& prompt, const QString& initialFolder) override {
        browses.push_back({prompt, initialFolder});
        return next(browseAnswers);
    }

  private:
    static QString next(std::deque<QString>& answers) {
        if (answers.empty()) return {};
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace quorvane::test
