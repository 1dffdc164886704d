#include "form/settings_keys.h"

#include <algorithm>
#include <stdexcept>

namespace quorvane {

namespace {

struct StoredControl {
    Control control;
    const char* key;
};

constexpr StoredControl kSettingsKeys[] = {
    {Control::EntireComputerOption, "Option3"},
    {Control::DriveOption, "Option4"},
    {Control::FolderOption, "Option5"},
    {Control::LimitDepthOption, "Option6"},
    {Control::FirstSubfoldersOption, "Option7"},
    {Control::AllSubfoldersOption, "Option8"},
    {Control::FolderBox, "Folder"},
    {Control::DepthBox, "Text2"},
};

}  // namespace

const char* SettingsKeyOf(Control control) {
    const auto found =
        std::find_if(std::begin(kSettingsKeys), std::end(kSettingsKeys),
                     [control](const StoredControl& c) { return c.control == control; });
    if (found == std::end(kSettingsKeys))
        throw std::out_of_range("the control's value is not kept");
    return found->key;
}

}  // namespace quorvane
