#pragma once

// Windows only (native_text_windows.cpp): for the *_windows.cpp files, src/win32 and their tests.

#include <string>
#include <string_view>

namespace quorvane {

// Paths travel through the program as UTF-8; Windows hands them over as UTF-16. The
// conversion is WTF-8: an unpaired surrogate, which Windows allows in a name, becomes the
// three bytes of its code point and comes back unchanged, so no name is ever lost.
std::wstring ToNativePath(std::string_view utf8);
std::string FromNativePath(std::wstring_view utf16);
// FromNativePath appended to `out`, for loops that reuse one buffer.
void AppendFromNativePath(std::string& out, std::wstring_view utf16);

}  // namespace quorvane
