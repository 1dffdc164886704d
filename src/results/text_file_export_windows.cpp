#include "results/text_file_export.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "text/native_text.h"

namespace quorvane {

// Entries are WTF-8 inside the program; the file gets the ANSI code page, with the platform's
// substitutes (a near letter, or '?') for characters that the code page lacks.
void AppendTextFileEntry(std::string& out, std::string_view entry) {
    const std::wstring wide = ToNativePath(entry);
    if (wide.empty()) return;
    const int wideLength = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return;
    const size_t start = out.size();
    out.resize(start + static_cast<size_t>(length));
    WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, out.data() + start, length, nullptr,
                        nullptr);
}

}  // namespace quorvane
