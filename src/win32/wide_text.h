#pragma once

#include <string>
#include <string_view>

#include "text/native_text.h"

namespace quorvane {

// Texts at the Win32 door: UTF-16 there, UTF-8 inside (WTF-8 for paths, so nothing is lost).
inline std::wstring Wide(std::string_view text) {
    return ToNativePath(text);
}

inline std::string Narrow(std::wstring_view text) {
    return FromNativePath(text);
}

}  // namespace quorvane
