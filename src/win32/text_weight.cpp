#include "win32/text_weight.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace quorvane {

namespace {

constexpr wchar_t kSample[] = L"Look at this folder: Only first subfolders (depth = 1)";
constexpr int kLarger = 8;

double Linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// How dark a pixel of grey `value` (0 black, 255 white) looks: 1 less its luminance.
double Ink(int value) {
    return 1 - Linear(value);
}

// The sample drawn black on white in `font`, as grey values (one byte a pixel), `width` each row.
std::vector<unsigned char> Drawn(HFONT font, int width, int height) {
    std::vector<unsigned char> grey;
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP picture =
        dc ? CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    if (picture) {
        HGDIOBJ oldPicture = SelectObject(dc, picture);
        HGDIOBJ oldFont = SelectObject(dc, font);
        const RECT all{0, 0, width, height};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        TextOutW(dc, 2, 2, kSample, static_cast<int>(std::size(kSample) - 1));
        GdiFlush();
        const auto* pixels = static_cast<const DWORD*>(bits);
        grey.resize(static_cast<size_t>(width) * height);
        for (size_t i = 0; i < grey.size(); ++i)
            grey[i] = static_cast<unsigned char>((pixels[i] >> 8) & 0xff);
        SelectObject(dc, oldFont);
        SelectObject(dc, oldPicture);
        DeleteObject(picture);
    }
    if (dc) DeleteDC(dc);
    return grey;
}

LOGFONTW DesignOf(HFONT font) {
    LOGFONTW design{};
    GetObjectW(font, sizeof design, &design);
    return design;
}

// A pixel's extent of the sample in `font`: as wide as the text, with room for the strokes.
SIZE RoomFor(HFONT font) {
    SIZE room{64, 16};
    if (HDC dc = CreateCompatibleDC(nullptr)) {
        HGDIOBJ old = SelectObject(dc, font);
        SIZE extent{};
        if (GetTextExtentPoint32W(dc, kSample, static_cast<int>(std::size(kSample) - 1), &extent)) {
            room = {extent.cx + 8, extent.cy + 8};
        }
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    return room;
}

double InkOf(const std::vector<unsigned char>& grey) {
    double ink = 0;
    for (const unsigned char value : grey)
        ink += Ink(value);
    return ink;
}

// The ink of the font's outlines at its size: the sample eight times as large, without
// smoothing (each 8 x 8 block is then the coverage of one pixel), drawn as a smoothing that
// lays the coverage over white in the screen's own values would draw it.
double OutlineInkOf(HFONT font) {
    LOGFONTW larger = DesignOf(font);
    larger.lfHeight *= kLarger;
    larger.lfWidth *= kLarger;
    larger.lfQuality = NONANTIALIASED_QUALITY;
    HFONT big = CreateFontIndirectW(&larger);
    if (!big) return 0;
    const SIZE room = RoomFor(big);
    const std::vector<unsigned char> grey = Drawn(big, room.cx, room.cy);
    DeleteObject(big);
    if (grey.empty()) return 0;
    double ink = 0;
    for (int y = 0; y + kLarger <= room.cy; y += kLarger) {
        for (int x = 0; x + kLarger <= room.cx; x += kLarger) {
            int covered = 0;
            for (int dy = 0; dy < kLarger; ++dy)
                for (int dx = 0; dx < kLarger; ++dx)
                    covered += grey[static_cast<size_t>(y + dy) * room.cx + x + dx] < 128;
            ink += Ink(255 - covered * 255 / (kLarger * kLarger));
        }
    }
    return ink;
}

}  // namespace

double InkShareOf(HFONT font) {
    const double outlines = OutlineInkOf(font);
    if (outlines <= 0) return 1;
    const SIZE room = RoomFor(font);
    return InkOf(Drawn(font, room.cx, room.cy)) / outlines;
}

int OverstrikeFor(HFONT font) {
    const double outlines = OutlineInkOf(font);
    if (outlines <= 0) return 0;
    const SIZE room = RoomFor(font);
    const std::vector<unsigned char> grey = Drawn(font, room.cx, room.cy);
    // A little more than the outlines', for the screen's own rounding.
    const double wanted = 1.05 * outlines;
    if (InkOf(grey) >= wanted) return 0;
    // The least share, in steps of an eighth, that brings the drawn ink up to that.
    for (int share = 32; share < 255; share += 32) {
        double ink = 0;
        for (int y = 0; y < room.cy; ++y) {
            for (int x = 0; x < room.cx; ++x) {
                const int own = grey[static_cast<size_t>(y) * room.cx + x];
                const int left = x > 0 ? grey[static_cast<size_t>(y) * room.cx + x - 1] : 255;
                ink += Ink(own + (std::min(own, left) - own) * share / 255);
            }
        }
        if (ink >= wanted) return share;
    }
    return 255;
}

void Overstrike(HDC dc, const RECT& area, int share, bool darkText) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (share <= 0 || width < 2 || height < 1) return;
    HDC copy = CreateCompatibleDC(dc);
    HBITMAP picture = copy ? CreateCompatibleBitmap(dc, width, height) : nullptr;
    if (picture) {
        HGDIOBJ old = SelectObject(copy, picture);
        BitBlt(copy, 0, 0, width, height, dc, area.left, area.top, SRCCOPY);
        // Channel by channel, AND keeps the darker of two values, OR the lighter, near enough.
        BitBlt(copy, 1, 0, width - 1, height, dc, area.left, area.top,
               darkText ? SRCAND : SRCPAINT);
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(std::min(share, 255)), 0};
        GdiAlphaBlend(dc, area.left, area.top, width, height, copy, 0, 0, width, height, blend);
        SelectObject(copy, old);
        DeleteObject(picture);
    }
    if (copy) DeleteDC(copy);
}

}  // namespace quorvane
