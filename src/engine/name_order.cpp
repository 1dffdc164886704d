#include "engine/name_order.h"

namespace quorvane {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int sign(int value) {
    return (value > 0) - (value < 0);
}

// The end of the run of digits that starts at `start`.
size_t digitsEnd(std::string_view text, size_t start) {
    while (start < text.size() && isDigit(text[start]))
        ++start;
    return start;
}

}  // namespace

int CompareBytes(std::string_view a, std::string_view b) {
    // string_view compares through char_traits<char>, which compares as unsigned char.
    return sign(a.compare(b));
}

int CompareNatural(std::string_view a, std::string_view b) {
    int zerosTieBreak = 0;
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (!isDigit(a[i]) || !isDigit(b[j])) {
            if (a[i] != b[j])
                return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]) ? -1 : 1;
            ++i;
            ++j;
            continue;
        }
        const size_t aEnd = digitsEnd(a, i);
        const size_t bEnd = digitsEnd(b, j);
        size_t aStart = i;
        size_t bStart = j;
        while (aStart + 1 < aEnd && a[aStart] == '0')
            ++aStart;
        while (bStart + 1 < bEnd && b[bStart] == '0')
            ++bStart;
        // Without leading zeros the longer run is the larger number; of equal lengths the
        // digits decide.
        const size_t aLength = aEnd - aStart;
        const size_t bLength = bEnd - bStart;
        if (aLength != bLength) return aLength < bLength ? -1 : 1;
        if (const int digits = a.substr(aStart, aLength).compare(b.substr(bStart, bLength))) {
            return sign(digits);
        }
        if (zerosTieBreak == 0 && aStart - i != bStart - j) {
            zerosTieBreak = aStart - i < bStart - j ? -1 : 1;
        }
        i = aEnd;
        j = bEnd;
    }
    if (i < a.size() || j < b.size()) return i < a.size() ? 1 : -1;
    return zerosTieBreak;
}

}  // namespace quorvane
