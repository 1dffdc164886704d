#pragma once

#include <cstdint>
#include <vector>

namespace quorvane::test {

// The relative luminance of an sRGB colour 0xRRGGBB (the alpha byte ignored), as the web's
// contrast rules define it.
double Luminance(std::uint32_t rgb);

// The contrast ratio, from 1 to 21, between the colour that most of `pixels` show (the
// background of a text) and the one that stands out most from it (the strokes of the text).
// Body text wants 4.5 at least.
double TextContrast(const std::vector<std::uint32_t>& pixels);

}  // namespace quorvane::test
