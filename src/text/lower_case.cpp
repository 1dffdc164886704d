#include "text/lower_case.h"

#include <array>

#include "text/utf8_text.h"

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

}  // namespace

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
