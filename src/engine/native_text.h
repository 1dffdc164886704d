#pragma once

#ifdef _WIN32

#include <string>
#include <string_view>

namespace quorvane {

// Paths travel through the program as UTF-8; Windows hands them over as UTF-16. The
// conversion is WTF-8, so even a name with an unpaired surrogate survives the round trip.
std::wstring ToNativePath(std::string_view utf8);
std::string FromNativePath(std::wstring_view utf16);

// The extended-length form (\\?\C:\... or \\?\UNC\server\share\...) that lifts the 260
// character limit from the listing calls.
std::wstring ToExtendedLengthPath(std::string_view utf8);

}  // namespace quorvane

#endif
