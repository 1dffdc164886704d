#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "form/fake_services.h"
#include "form/form1.h"
#include "support/fixture_tree.h"
#include "support/temp_folder.h"

namespace quorvane::test {

// The services a form takes, all faked, for the harnesses of the form and of the Qt window:
// settings in memory, a folder standing in for the program's folder, a desktop folder that
// exists only by name, and a scratch file path in the test's folder. Ending the program is
// only counted.
class FakeFormServices {
  public:
    FakeFormServices() : applicationFolder(folder / "program"), scratchFile(folder / "vrn.txt") {
        MakeFolder(applicationFolder);
        desktop.folder = folder / "Desktop";
    }

    FormServices services() {
        return {dialogs,      desktop,
                drives,       random,
                settings,     applicationFolder,
                scratchFile,  [this] { ++endProgramCalls; },
                numberFormat, walk};
    }

    // A file of the program's folder; `name` may hold '/' between its parts.
    std::string programFile(const std::string& name) const {
        std::string path = applicationFolder + TempFolder::kSeparator;
        for (const char c : name)
            path += c == '/' ? TempFolder::kSeparator : c;
        return path;
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
    decltype(FormServices::walk) walk = WalkFolders;
    int endProgramCalls = 0;
};

inline void FillResults(Form1& form, const std::vector<std::string>& entries) {
    for (const std::string& entry : entries)
        form.results().append(entry);
    form.results().publishAppended();
}

inline std::vector<std::string> ResultEntries(const Form1& form) {
    std::vector<std::string> entries;
    const FolderList& list = form.results().entries();
    for (size_t i = 0; i < list.size(); ++i)
        entries.push_back(list.path(i));
    return entries;
}

}  // namespace quorvane::test
