#pragma once

#include "form/form1_layout.h"

namespace quorvane {

// The settings key of a control whose value the window keeps: read at start-up, written at
// each change. Users' stored choices keep their meaning only while the keys stay as they are.
// Throws std::out_of_range for a control whose value is not kept.
const char* SettingsKeyOf(Control control);

// The folder last chosen in the folder browser, where the browser opens next.
inline constexpr char kLastFolderKey[] = "LastFolder";

}  // namespace quorvane
