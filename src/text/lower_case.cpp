#include "text/lower_case.h"

#include <array>

#include "text/utf8_text.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <locale.h>
#include <wctype.h>
#ifdef __APPLE__
#include <xlocale.h>
#endif
#endif

namespace quorvane {

namespace {

constexpr std::array<char, 128> makeAsciiLower() {
    std::array<char, 128> table{};
    for (int c = 0; c < 128; ++c) {
        table[c] = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return table;
}
constexpr std::array<char, 128> kAsciiLower = makeAsciiLower();

#ifndef _WIN32
// The process locale is the user's and may not be UTF-8 at all; the mapping must not depend
// on it, so it comes from a UTF-8 locale of its own, opened once and kept for the process.
locale_t unicodeLocale() {
    static const locale_t locale = [] {
        for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"}) {
            if (locale_t opened = newlocale(LC_CTYPE_MASK, name, locale_t{})) return opened;
        }
        return locale_t{};
    }();
    return locale;
}
#endif

}  // namespace

char32_t LowerCaseCharacter(char32_t codePoint) {
    if (codePoint < 0x80) return static_cast<unsigned char>(kAsciiLower[codePoint]);
#ifdef _WIN32
    // CharLowerBuffW maps in place; a character beyond the BMP is a surrogate pair.
    wchar_t units[2];
    DWORD count = 1;
    if (codePoint >= 0x10000) {
        units[0] = static_cast<wchar_t>(0xD800 + ((codePoint - 0x10000) >> 10));
        units[1] = static_cast<wchar_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
        count = 2;
    } else {
        units[0] = static_cast<wchar_t>(codePoint);
    }
    CharLowerBuffW(units, count);
    if (count == 2) {
        return 0x10000 + ((static_cast<char32_t>(units[0]) - 0xD800) << 10) +
               (static_cast<char32_t>(units[1]) - 0xDC00);
    }
    return units[0];
#else
    const locale_t locale = unicodeLocale();
    if (!locale) return codePoint;
    return static_cast<char32_t>(towlower_l(static_cast<wint_t>(codePoint), locale));
#endif
}

void AppendLowerCase(std::string_view text, std::string& out) {
    char32_t codePoint = 0;
    bool valid = false;
    for (size_t i = 0; i < text.size();) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (IsAscii(byte)) {
            out.push_back(kAsciiLower[byte]);
            ++i;
            continue;
        }
        const size_t length = DecodeUtf8(text, i, codePoint, valid);
        if (valid) {
            AppendUtf8(out, LowerCaseCharacter(codePoint));
        } else {
            out.push_back(static_cast<char>(byte));
        }
        i += length;
    }
}

}  // namespace quorvane
