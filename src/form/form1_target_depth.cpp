#include "form/error_report.h"
#include "form/error_trap.h"
#include "form/form1.h"

namespace quorvane {

namespace {

constexpr char kNotNumeric[] = "Must be a numeric entry.";
constexpr char kBelowOne[] = "Must be 1 or higher.";
constexpr char kBrowsePrompt[] = "Please select folder:";

}  // namespace

void Form1::setOption(Control option, bool selected) {
    if (view_.isChecked(option) == selected) return;
    view_.setChecked(option, selected);
    if (selected) click(option);
}

void Form1::lookAtFolder(const std::string& folder) {
    setOption(Control::FolderOption, true);
    view_.setText(Control::FolderBox, folder);
}

void Form1::storeTargetChoice() {
    SettingsStore& settings = services_.settings;
    settings.write("Option5", BooleanWord(view_.isChecked(Control::FolderOption)));
    settings.write("Option4", BooleanWord(view_.isChecked(Control::DriveOption)));
    settings.write("Option3", BooleanWord(view_.isChecked(Control::EntireComputerOption)));
}

void Form1::storeDepthChoice() {
    SettingsStore& settings = services_.settings;
    settings.write("Option6", BooleanWord(view_.isChecked(Control::LimitDepthOption)));
    settings.write("Option7", BooleanWord(view_.isChecked(Control::FirstSubfoldersOption)));
    settings.write("Option8", BooleanWord(view_.isChecked(Control::AllSubfoldersOption)));
}

// Every change is stored as typed, an entry the depth check refuses too.
void Form1::textChanged(Control textBox) {
    if (textBox == Control::FolderBox) services_.settings.write("Folder", view_.text(textBox));
    if (textBox == Control::DepthBox) services_.settings.write("Text2", view_.text(textBox));
}

void Form1::selectDepthEntry() {
    view_.selectAllText(Control::DepthBox);
}

bool Form1::checkDepthEntry() {
    if (ending_) return true;
    const std::optional<double> depth =
        ParseNumber(view_.text(Control::DepthBox), services_.numberFormat);
    const char* refusal = !depth ? kNotNumeric : *depth < 1 ? kBelowOne : nullptr;
    if (!refusal) return true;
    message(refusal);
    // Back to the box with the entry selected, ready to be typed over. The selection is made
    // here as well because a window that is not active gets no focus event yet.
    view_.setFocus(Control::DepthBox);
    view_.selectAllText(Control::DepthBox);
    return false;
}

void Form1::browseFolder() {
    ErrorTrap trap(services_.dialogs, procedure::kBrowseFolder);
    std::string folder;
    trap.step(100, [&] {
        const std::string lastFolder = services_.settings.read("LastFolder", {});
        folder = services_.dialogs.browseFolder(kBrowsePrompt, lastFolder);
    });
    if (trap.test(102, [&] { return folder.empty(); })) return;
    trap.step(104, [&] {
        view_.setText(Control::FolderBox, folder);
        // So that the browser opens where the user was the last time.
        services_.settings.write("LastFolder", folder);
    });
}

}  // namespace quorvane
