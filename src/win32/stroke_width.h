#pragma once

#include <windows.h>

namespace quorvane {

// The usual width, in pixels, of the upright strokes that `font` draws (the median run of
// dark pixels along the rows of letters made of stems, drawn black on white as the font's
// quality asks). 2 or more is what bold looks like at the window's sizes; 1 is regular.
int StrokeWidthOf(HFONT font);

}  // namespace quorvane
