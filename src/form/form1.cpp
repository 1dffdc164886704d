#include "form/form1.h"

#include <algorithm>

#include "engine/path_rules.h"
#include "form/file_queries.h"

namespace quorvane {

namespace {

// The drive that holds the current folder: the one whose root is the longest start of it.
int CurrentDriveIndex(const std::vector<Drive>& drives) {
    std::string current = CurrentFolder();
    if (current.empty() || current.back() != kSeparator) current += kSeparator;
#ifdef _WIN32
    const auto folded = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
            return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        });
        return text;
    };
    current = folded(current);
#else
    const auto folded = [](const std::string& text) { return text; };
#endif
    int best = drives.empty() ? -1 : 0;
    size_t bestLength = 0;
    for (size_t i = 0; i < drives.size(); ++i) {
        const std::string root = folded(drives[i].root);
        if (root.size() > bestLength && current.starts_with(root)) {
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

void Form1::Click(Control control) {
    switch (control) {
        case Control::EntireComputerOption:
            return Option3_Click();
        case Control::DriveOption:
            return Option4_Click();
        case Control::FolderOption:
            return Option5_Click();
        case Control::LimitDepthOption:
            return Option6_Click();
        case Control::FirstSubfoldersOption:
            return Option7_Click();
        case Control::AllSubfoldersOption:
            return Option8_Click();
        case Control::StartButton:
            return PushButton1_Click();
        case Control::SaveTextFileButton:
            return PushButton2_Click();
        case Control::HelpButton:
            return PushButton3_Click();
        case Control::SaveExcelFileButton:
            return PushButton4_Click();
        case Control::BrowseButton:
            return PushButton5_Click();
        case Control::ClearButton:
            return PushButton6_Click();
        case Control::CopyButton:
            return PushButton7_Click();
        case Control::SampleButton:
            return PushButton8_Click();
        case Control::DepthHelpButton:
            return PushButton9_Click();
        case Control::RemoveContainingButton:
            return PushButton19_Click();
        case Control::RemoveNotContainingButton:
            return PushButton20_Click();
        default:
            return;
    }
}

void Form1::Change(Control textBox) {
    if (textBox == Control::FolderBox) Text1_Change();
    if (textBox == Control::DepthBox) Text2_Change();
}

void Form1::message(const std::string& text) {
    services_.dialogs.message(text, applicationTitle_, MessageStyle::OkOnly);
}

}  // namespace quorvane
