#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace quorvane::test {

// What the screen shows of a window, its frame included: colours 0xRRGGBB, top row first.
struct WindowPicture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;

    // The pixels of `area`, in the window's coordinates (its frame's top-left corner is 0,0).
    std::vector<std::uint32_t> pixelsOf(const RECT& area) const;
};

WindowPicture TakeWindowPicture(HWND window);
bool SavePicture(const WindowPicture& picture, const std::wstring& file);

// Saves what the screen shows of `window`, its frame included, as a PNG file.
bool SaveWindowPicture(HWND window, const std::wstring& file);

}  // namespace quorvane::test
