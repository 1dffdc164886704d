#pragma once

// The tree and the fixture of the form's run tests: form1_run_test.cpp, and
// form1_run_posix_test.cpp for the names only POSIX can hold.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form/settings_keys.h"
#include "form_harness.h"

namespace quorvane::test {

// A target T holding the chain A/B/C/D/E and the empty folder F, plus a file and a hidden
// folder that are never listed. Below A every folder has one child, so the order of the
// whole list depends only on how the file system lists T.
class RunTree {
  public:
    RunTree() {
        MakeFolders(path("A/B/C/D/E"));
        MakeFolder(path("F"));
        MakeFolders(path(".hidden/inside"));
        MakeHidden(path(".hidden"));
        MakeFile(path("file.txt"), "x");
    }

    // `relative`, with '/' between its parts, below T.
    std::string path(const std::string& relative = {}) const {
        std::string full = folder / "T";
        if (!relative.empty()) full += TempFolder::kSeparator;
        for (const char c : relative)
            full += c == '/' ? TempFolder::kSeparator : c;
        return full;
    }
    // T's own block, last in every list.
    std::vector<std::string> topBlock() const {
        std::vector<std::string> block;
        for (const std::string& name : ListedNames(path())) {
            if (name == "A" || name == "F") block.push_back(path(name));
        }
        return block;
    }
    std::vector<std::string> withTopBlock(std::vector<std::string> below) const {
        for (std::string& entry : topBlock())
            below.push_back(entry);
        return below;
    }

    TempFolder folder;
};

class Form1Run : public ::testing::Test {
  protected:
    Form1& loadWithFolder(const std::string& folder,
                          Control depthOption = Control::AllSubfoldersOption,
                          const std::string& depthText = "3") {
        harness.settings.put("Folder", folder);
        harness.settings.put("Text2", depthText);
        for (const Control option : {Control::LimitDepthOption, Control::FirstSubfoldersOption,
                                     Control::AllSubfoldersOption}) {
            harness.settings.put(SettingsKeyOf(option), option == depthOption ? "True" : "False");
        }
        Form1& form = harness.load();
        harness.dialogs.messages.clear();
        return form;
    }
    void choose(Control option) { harness.form->setOption(option, true); }

    FormHarness harness;
    RunTree tree;
};

}  // namespace quorvane::test
