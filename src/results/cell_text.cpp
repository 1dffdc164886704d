#include "results/cell_text.h"

#include <algorithm>
#include <array>

#include "text/utf8_text.h"

namespace quorvane {

namespace {

// Advance widths of printable ASCII (from the blank to '~') in Calibri 11, in whole pixels.
constexpr std::array<unsigned char, 95> kAsciiPixels = {
    3,  4, 6, 7, 7, 10, 10, 3, 4, 4, 7, 7, 4,  4, 4,  6,  // blank to '/'
    7,  7, 7, 7, 7, 7,  7,  7, 7, 7,                      // digits
    4,  4, 7, 7, 7, 6,  13,                               // ':' to '@'
    8,  8, 8, 9, 7, 7,  9,  9, 4, 5, 8, 6, 12, 9, 10, 8,  // 'A' to 'P'
    10, 8, 7, 7, 9, 8,  13, 8, 7, 7,                      // 'Q' to 'Z'
    4,  6, 4, 7, 7, 4,                                    // '[' to '`'
    7,  8, 6, 8, 7, 4,  7,  8, 3, 4, 7, 3, 12, 8, 8,  8,  // 'a' to 'p'
    8,  5, 6, 5, 8, 7,  11, 6, 7, 6,                      // 'q' to 'z'
    4,  7, 4, 7,                                          // '{' to '~'
};
constexpr size_t kOtherPixels = 8;
constexpr size_t kWidePixels = 15;
// Excel draws a column of width w (in widths of the digit 0) w * 7 + 5 pixels wide in this
// font; a fitted column leaves a little room beside its text.
constexpr size_t kDigitPixels = 7;
constexpr size_t kColumnPadding = 5;
constexpr size_t kTextMargin = 7;
constexpr double kMaximumColumnWidth = 255;

bool isWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1FAFF) ||
           (c >= 0x20000 && c <= 0x3FFFD);
}

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Whether `text` holds "_xHHHH_" at `position`.
bool startsCharacterCode(std::string_view text, size_t position) {
    if (position + 7 > text.size() || text[position] != '_' || text[position + 1] != 'x' ||
        text[position + 6] != '_') {
        return false;
    }
    return std::all_of(text.begin() + position + 2, text.begin() + position + 6, isHexDigit);
}

}  // namespace

void AppendCellText(std::string_view text, std::string& out) {
    size_t characters = 0;
    char32_t codePoint = 0;
    bool valid = false;
    for (size_t i = 0; i < text.size();) {
        if (startsCharacterCode(text, i)) {
            if (characters + 7 > kCellCharacters) return;
            out.append("_x005F_");
            characters += 7;
            ++i;
            continue;
        }
        if (characters + 1 > kCellCharacters) return;
        const size_t length = DecodeUtf8(text, i, codePoint, valid);
        if (valid) {
            out.append(text.substr(i, length));
        } else {
            AppendUtf8(out, 0xFFFD);
        }
        ++characters;
        i += length;
    }
}

size_t TextPixelWidth(std::string_view text) {
    size_t pixels = 0;
    char32_t codePoint = 0;
    bool valid = false;
    for (size_t i = 0; i < text.size();) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x20 && byte < 0x7F) {
            pixels += kAsciiPixels[byte - 0x20];
            ++i;
            continue;
        }
        const size_t length = DecodeUtf8(text, i, codePoint, valid);
        pixels += valid && isWide(codePoint) ? kWidePixels : kOtherPixels;
        i += length;
    }
    return pixels;
}

double ColumnWidthForPixels(size_t pixels) {
    static_assert(kTextMargin >= kColumnPadding);
    const double width = static_cast<double>(pixels + kTextMargin - kColumnPadding) / kDigitPixels;
    return std::min(width, kMaximumColumnWidth);
}

}  // namespace quorvane
