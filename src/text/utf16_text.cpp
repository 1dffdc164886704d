#include "text/utf16_text.h"

#include <algorithm>

#include "text/utf8_text.h"

namespace quorvane {

namespace {

// The bytes converted between two yields: with the page faults of the fresh memory they are
// written to, a few milliseconds even on a busy machine.
constexpr size_t kPiece = size_t{1} << 18;
constexpr char16_t kReplacement = u'\uFFFD';

}  // namespace

size_t ToUtf16(std::string_view bytes, char16_t* out, YieldHook* hook) {
    char16_t* const start = out;
    size_t position = 0;
    while (position < bytes.size()) {
        yieldTo(hook);
        // A piece ends at a character's start, so no character is split between two.
        const size_t end = std::min(bytes.size(), position + kPiece);
        while (position < end) {
            const unsigned char lead = static_cast<unsigned char>(bytes[position]);
            if (IsAscii(lead)) {
                *out++ = (static_cast<char16_t>(lead));
                ++position;
                continue;
            }
            char32_t codePoint = 0;
            bool valid = false;
            position += DecodeUtf8(bytes, position, codePoint, valid);
            if (!valid) {
                *out++ = (kReplacement);
            } else if (codePoint < 0x10000) {
                *out++ = (static_cast<char16_t>(codePoint));
            } else {
                codePoint -= 0x10000;
                *out++ = (static_cast<char16_t>(0xD800 + (codePoint >> 10)));
                *out++ = (static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
            }
        }
    }
    return static_cast<size_t>(out - start);
}

}  // namespace quorvane
