#pragma once

#include <QApplication>
#include <QTest>
#include <memory>

#include "app/form1_widget.h"
#include "form/fake_services.h"
#include "qt_printers.h"
#include "support/fixture_tree.h"
#include "support/temp_folder.h"

namespace quorvane::test {

// The Qt window on fakes: settings in memory, a folder standing in for the program's folder,
// a desktop folder that exists only by name, and a scratch file path in the test's folder.
// Ending the program is only counted.
class WindowHarness {
  public:
    WindowHarness() : applicationFolder(folder / "program"), scratchFile(folder / "vrn.txt") {
        MakeFolder(applicationFolder);
        desktop.folder = folder / "Desktop";
    }

    FormServices services() {
        return {dialogs,     desktop,           drives,      random,
                settings,    applicationFolder, scratchFile, [this] { ++endProgramCalls; },
                numberFormat};
    }

    // Creates the window and runs its start-up, as the program does before showing it.
    Form1Widget& load() {
        window = std::make_unique<Form1Widget>(services());
        window->form().Form_Load();
        return *window;
    }

    // Shows the loaded window as the active one, so that focus moves as for the user.
    void showActive() {
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    std::string programFile(const std::string& name) const {
        return applicationFolder + TempFolder::kSeparator + name;
    }

    TempFolder folder;
    FakeDialogs dialogs;
    FakeDesktop desktop;
    FakeDrives drives;
    FakeRandom random;
    FakeSettings settings;
    std::string applicationFolder;
    std::string scratchFile;
    NumberFormat numberFormat;
    int endProgramCalls = 0;
    std::unique_ptr<Form1Widget> window;
};

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
