#pragma once

#include <QPalette>

namespace quorvane {

// The colours of a selected row, made readable. Some themes draw the selection in a light or
// middling colour behind light text (Fusion's own blue stands 3.7:1 from white). The text on it
// should stand 4.5:1 apart from it (the web's rule for body text) in the pixels drawn, whose
// smoothed strokes fall short of the text's colour: so where the colours stand less than 5:1
// apart, the highlight is made darker, or lighter behind dark text, its hue kept, until they
// stand 5.5:1 apart. Both the focused and the unfocused selection's colours are seen to.
void MakeSelectionReadable(QPalette& palette);

}  // namespace quorvane
