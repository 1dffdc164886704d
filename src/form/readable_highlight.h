#pragma once

#include <cstdint>

namespace quorvane {

// The colour of a selected row behind its text, as both windows draw it. Some themes and
// colour schemes put light text on a light or middling highlight (Fusion's blue stands 3.7:1
// from white, Wine's 3:1). The text should stand 4.5:1 apart from it (the web's rule for body
// text) in the pixels drawn, whose smoothed strokes fall short of the text's colour: so where
// the colours stand less than 5:1 apart, the highlight is mixed with black (with white behind
// dark text), its hue kept, until they stand 5.5:1 apart. Colours are 0xRRGGBB.
std::uint32_t ReadableHighlight(std::uint32_t highlight, std::uint32_t text);

}  // namespace quorvane
