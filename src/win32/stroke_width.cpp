#include "win32/stroke_width.h"

#include <algorithm>
#include <vector>

namespace quorvane {

int StrokeWidthOf(HFONT font) {
    constexpr int kWidth = 160;
    constexpr int kHeight = 40;
    constexpr wchar_t kStems[] = L"lIFDdhbk";
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = kWidth;
    format.bmiHeader.biHeight = -kHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP picture = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dc || !picture) {
        if (dc) DeleteDC(dc);
        return 0;
    }
    HGDIOBJ oldPicture = SelectObject(dc, picture);
    HGDIOBJ oldFont = SelectObject(dc, font);
    const RECT all{0, 0, kWidth, kHeight};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, 2, 2, kStems, static_cast<int>(std::size(kStems) - 1));
    GdiFlush();

    std::vector<int> runs;
    const auto* pixels = static_cast<const DWORD*>(bits);
    for (int y = 0; y < kHeight; ++y) {
        int run = 0;
        for (int x = 0; x <= kWidth; ++x) {
            // Dark: the green channel, which weighs most in what the eye sees, below 100.
            if (x < kWidth && ((pixels[y * kWidth + x] >> 8) & 0xff) < 100) {
                ++run;
            } else if (run > 0) {
                runs.push_back(run);
                run = 0;
            }
        }
    }
    SelectObject(dc, oldFont);
    SelectObject(dc, oldPicture);
    DeleteObject(picture);
    DeleteDC(dc);
    if (runs.empty()) return 0;
    std::nth_element(runs.begin(), runs.begin() + runs.size() / 2, runs.end());
    return runs[runs.size() / 2];
}

}  // namespace quorvane
