#pragma once

#include <memory>
#include <string>
#include <vector>

#include "fake_services.h"
#include "fake_view.h"
#include "form/error_report.h"
#include "form/form1.h"
#include "support/fixture_tree.h"
#include "support/temp_folder.h"

namespace quorvane::test {

// A form on fakes: a view in memory, settings in memory, a folder standing in for the
// program's folder, a desktop folder that exists only by name, and a scratch file path in the
// test's folder. Ending the program is only counted.
class FormHarness {
  public:
    FormHarness() : applicationFolder(folder / "program"), scratchFile(folder / "vrn.txt") {
        MakeFolder(applicationFolder);
        desktop.folder = folder / "Desktop";
    }

    FormServices services() {
        return {dialogs,     desktop,           drives,      random,
                settings,    applicationFolder, scratchFile, [this] { ++endProgramCalls; },
                numberFormat};
    }

    // Creates the form on its view and runs its start-up, as the program does before showing
    // the window.
    Form1& load() {
        form = std::make_unique<Form1>(view, services());
        view.form = form.get();
        form->Form_Load();
        return *form;
    }

    // A file of the program's folder; `name` may hold '/' between its parts.
    std::string programFile(const std::string& name) const;

    TempFolder folder;
    FakeView view;
    FakeDialogs dialogs;
    FakeDesktop desktop;
    FakeDrives drives;
    FakeRandom random;
    FakeSettings settings;
    std::string applicationFolder;
    std::string scratchFile;
    NumberFormat numberFormat;
    int endProgramCalls = 0;
    std::unique_ptr<Form1> form;
};

inline std::string FormHarness::programFile(const std::string& name) const {
    std::string path = applicationFolder + TempFolder::kSeparator;
    for (const char c : name)
        path += c == '/' ? TempFolder::kSeparator : c;
    return path;
}

// A message of style 0 under the application's title.
inline ShownMessage Notice(const std::string& text) {
    return {text, "Quorvane", MessageStyle::OkOnly};
}

inline ShownMessage ErrorReport(const char* description, const char* procedurePath, int line) {
    return {ErrorReportText(description, procedurePath, line), kErrorReportTitle,
            MessageStyle::Exclamation};
}

inline void FillResults(Form1& form, const std::vector<std::string>& entries) {
    for (const std::string& entry : entries)
        form.Results().append(entry);
    form.Results().publishAppended();
}

inline std::vector<std::string> ResultEntries(const Form1& form) {
    std::vector<std::string> entries;
    for (std::int64_t i = 1; i <= form.Results().count(); ++i)
        entries.emplace_back(form.Results().text(i));
    return entries;
}

}  // namespace quorvane::test
