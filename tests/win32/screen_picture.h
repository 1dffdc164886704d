#pragma once

#include <windows.h>

#include <string>

namespace quorvane::test {

// Saves what the screen shows of `window`, its frame included, as a PNG file.
bool SaveWindowPicture(HWND window, const std::wstring& file);

}  // namespace quorvane::test
