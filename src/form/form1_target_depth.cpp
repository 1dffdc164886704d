#include "form/error_report.h"
#include "form/error_trap.h"
#include "form/form1.h"

namespace quorvane {

namespace {

constexpr char kNotNumeric[] = "Must be a numeric entry.";
constexpr char kBelowOne[] = "Must be 1 or higher.";
constexpr char kBrowsePrompt[] = "Please select folder:";

}  // namespace

void Form1::SetOptionValue(Control option, bool selected) {
    if (view_.isChecked(option) == selected) return;
    view_.setChecked(option, selected);
    if (selected) Click(option);
}

void Form1::LookAtFolder(const std::string& folder) {
    SetOptionValue(Control::Option5, true);
    view_.setText(Control::Text1, folder);
}

void Form1::Option3_Click() {
    StoreTargetChoice();
}
void Form1::Option4_Click() {
    StoreTargetChoice();
}
void Form1::Option5_Click() {
    StoreTargetChoice();
}
void Form1::Option6_Click() {
    StoreDepthChoice();
}
void Form1::Option7_Click() {
    StoreDepthChoice();
}
void Form1::Option8_Click() {
    StoreDepthChoice();
}

void Form1::StoreTargetChoice() {
    SettingsStore& settings = services_.settings;
    settings.write("Option5", BooleanWord(view_.isChecked(Control::Option5)));
    settings.write("Option4", BooleanWord(view_.isChecked(Control::Option4)));
    settings.write("Option3", BooleanWord(view_.isChecked(Control::Option3)));
}

void Form1::StoreDepthChoice() {
    SettingsStore& settings = services_.settings;
    settings.write("Option6", BooleanWord(view_.isChecked(Control::Option6)));
    settings.write("Option7", BooleanWord(view_.isChecked(Control::Option7)));
    settings.write("Option8", BooleanWord(view_.isChecked(Control::Option8)));
}

void Form1::Text1_Change() {
    services_.settings.write("Folder", view_.text(Control::Text1));
}

void Form1::Text2_Change() {
    services_.settings.write("Text2", view_.text(Control::Text2));
}

void Form1::Text2_GotFocus() {
    view_.selectAllText(Control::Text2);
}

bool Form1::Text2_LostFocus() {
    if (ending_) return true;
    const auto depth = ParseNumber(view_.text(Control::Text2), services_.numberFormat);
    const char* refusal = !depth.ok() ? kNotNumeric : depth.value() < 1 ? kBelowOne : nullptr;
    if (!refusal) return true;
    message(refusal);
    // Back to the box with the entry selected, ready to be typed over. The selection is made
    // here as well because a window that is not active gets no focus event yet.
    view_.setFocus(Control::Text2);
    view_.selectAllText(Control::Text2);
    return false;
}

void Form1::PushButton5_Click() {
    ErrorTrap trap(services_.dialogs, procedure::kBrowseFolder);
    std::string folder;
    trap.step(100, [&] {
        const std::string lastFolder = services_.settings.read("LastFolder", {});
        folder = services_.dialogs.browseFolder(kBrowsePrompt, lastFolder);
    });
    if (trap.test(102, [&] { return folder.empty(); })) return;
    trap.step(104, [&] {
        view_.setText(Control::Text1, folder);
        // So that the browser opens where the user was the last time.
        services_.settings.write("LastFolder", folder);
    });
}

}  // namespace quorvane
