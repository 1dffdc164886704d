#pragma once

#include <QPalette>

namespace quorvane {

// The theme's colours of a selected row, focused and not, with the highlight made readable
// behind its text (ReadableHighlight).
void MakeSelectionReadable(QPalette& palette);

}  // namespace quorvane
