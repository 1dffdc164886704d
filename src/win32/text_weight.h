#pragma once

#include <windows.h>

namespace quorvane {

// How heavy a font's text looks, judged by the pixels drawn, whatever font file stands behind
// the font's name.
//
// The reference is the ink (how dark each pixel is, summed) that the font's own outlines
// carry when smoothed without hints, as the Qt window draws them: the text drawn eight times
// as large, where hints change nearly nothing, and each 8 x 8 block taken as one pixel of that
// coverage. Hints can take much of it away at small sizes: Liberation Sans 2, Arial's stand-in
// under Wine, draws its bold stems 1 pixel wide at 12 pixels, smoothed or not.

// The ink of a sample text drawn in `font` as the font's quality asks, as a share of what its
// outlines carry (1 for as much).
double InkShareOf(HFONT font);

// How much of a copy of its text shifted by one pixel a control drawn in `font` needs laid
// over its own, from 0 (none) to 255 (the whole copy, as bold was once struck twice), for its
// text to carry at least the ink of its outlines.
int OverstrikeFor(HFONT font);

// Lays `share` of a copy of what `area` of `dc` shows, shifted one pixel to the right, over
// it, darkening (or, for light text on a dark ground, lightening) only: each pixel takes the
// darker (lighter) of itself and its left neighbour, in that share.
void Overstrike(HDC dc, const RECT& area, int share, bool darkText);

}  // namespace quorvane
