#include "form/form1.h"

#include "engine/path_rules.h"
#include "form/file_queries.h"

namespace quorvane {

namespace {

// The drive that holds the current folder: the one whose root is the longest start of it.
int CurrentDriveIndex(const std::vector<Drive>& drives) {
    std::string current = CurrentFolder();
    if (current.empty() || current.back() != kSeparator) current += kSeparator;
    int best = drives.empty() ? -1 : 0;
    size_t bestLength = 0;
    for (size_t i = 0; i < drives.size(); ++i) {
        const std::string& root = drives[i].root;
        if (root.size() > bestLength && IsOnDrive(current, root)) {
            best = static_cast<int>(i);
            bestLength = root.size();
        }
    }
    return best;
}

}  // namespace

Form1::Form1(FormView& view, const FormServices& services)
    : view_(view), services_(services), drives_(services.drives.drives()) {
    std::vector<std::string> texts;
    for (const Drive& drive : drives_)
        texts.push_back(drive.displayText);
    view_.showDrives(texts, CurrentDriveIndex(drives_));
}

std::span<const Form1::ClickRoute> Form1::ClickTable() {
    using enum Control;
    // An option stores the choice of its whole frame.
    static constexpr ClickRoute kRoutes[] = {
        {EntireComputerOption, &Form1::storeTargetChoice},
        {DriveOption, &Form1::storeTargetChoice},
        {FolderOption, &Form1::storeTargetChoice},
        {LimitDepthOption, &Form1::storeDepthChoice},
        {FirstSubfoldersOption, &Form1::storeDepthChoice},
        {AllSubfoldersOption, &Form1::storeDepthChoice},
        {StartButton, &Form1::startList},
        {SaveTextFileButton, &Form1::saveTextFile},
        {HelpButton, &Form1::showHelp},
        {SaveExcelFileButton, &Form1::saveExcelFile},
        {BrowseButton, &Form1::browseFolder},
        {ClearButton, &Form1::clearResults},
        {CopyButton, &Form1::copyToClipboard},
        {SampleButton, &Form1::loadSample},
        {DepthHelpButton, &Form1::showDepthHelp},
        {RemoveContainingButton, &Form1::removeContaining},
        {RemoveNotContainingButton, &Form1::removeNotContaining},
    };
    return kRoutes;
}

void Form1::click(Control control) {
    for (const ClickRoute& route : ClickTable()) {
        if (route.control == control) return (this->*route.handler)();
    }
}

void Form1::message(const std::string& text) {
    services_.dialogs.message(text, applicationTitle_, MessageStyle::OkOnly);
}

}  // namespace quorvane
