#pragma once

#include <QMetaObject>
#include <functional>
#include <string>
#include <vector>

#include "app/error_report.h"
#include "app/form1.h"
#include "app/results_list_model.h"
#include "fake_dialogs.h"

namespace quorvane::test {

// Helpers for the tests of the commands that edit and export the results list.

inline void FillResults(Form1& form, const std::vector<std::string>& entries) {
    for (const std::string& entry : entries)
        form.Results().append(entry);
    form.Results().publishAppended();
}

inline std::vector<std::string> ResultEntries(Form1& form) {
    std::vector<std::string> entries;
    for (std::int64_t i = 1; i <= form.Results().count(); ++i)
        entries.emplace_back(form.Results().text(i));
    return entries;
}

// Runs `action` at the next pass of the event loop: inside a command, at its first yield, as
// a click of the user's would run while the command works.
inline void AtNextPass(Form1& form, std::function<void()> action) {
    QMetaObject::invokeMethod(&form, std::move(action), Qt::QueuedConnection);
}

// A message of style 0 under the application's title.
inline ShownMessage Notice(const char* text) {
    return {QString::fromLatin1(text), QStringLiteral("Quorvane"), MessageStyle::OkOnly};
}

inline ShownMessage ErrorReport(const char* description, const char* procedurePath, int line) {
    return {QString::fromStdString(ErrorReportText(description, procedurePath, line)),
            QString::fromLatin1(kErrorReportTitle), MessageStyle::Exclamation};
}

}  // namespace quorvane::test
