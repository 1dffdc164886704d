#include "form/error_report.h"
#include "form/error_trap.h"
#include "form/form1.h"
#include "form/settings_keys.h"

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
    storeOptions({Control::FolderOption, Control::DriveOption, Control::EntireComputerOption});
}

void Form1::storeDepthChoice() {
    storeOptions(
        {Control::LimitDepthOption, Control::FirstSubfoldersOption, Control::AllSubfoldersOption});
}

void Form1::storeOptions(std::initializer_list<Control> options) {
    for (const Control option : options) {
        services_.settings.write(SettingsKeyOf(option), BooleanWord(view_.isChecked(option)));
    }
}

// Every change is stored as typed, an entry the depth check refuses too.
void Form1::textChanged(Control textBox) {
    services_.settings.write(SettingsKeyOf(textBox), view_.text(textBox));
}

void Form1::selectDepthEntry() {
    view_.selectAllText(Control::DepthBox);
}

bool Form1::checkDepthEntry() {
    if (ending_) return true;
    const auto depth = ParseNumber(view_.text(Control::DepthBox), services_.numberFormat);
    const char* refusal = !depth.ok() ? kNotNumeric : depth.value() < 1 ? kBelowOne : nullptr;
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
        const std::string lastFolder = services_.settings.read(kLastFolderKey, {});
        folder = services_.dialogs.browseFolder(kBrowsePrompt, lastFolder);
    });
    if (trap.test(102, [&] { return folder.empty(); })) return;
    trap.step(104, [&] {
        view_.setText(Control::FolderBox, folder);
        // So that the browser opens where the user was the last time.
        services_.settings.write(kLastFolderKey, folder);
    });
}

}  // namespace quorvane
