#include "text/utf8_text.h"

namespace quorvane {

namespace {

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

}  // namespace

size_t DecodeUtf8(std::string_view text, size_t position, char32_t& codePoint, bool& valid) {
    const auto byteAt = [&](size_t k) { return static_cast<unsigned char>(text[position + k]); };
    const unsigned char lead = byteAt(0);
    valid = true;
    if (IsAscii(lead)) {
        codePoint = lead;
        return 1;
    }
    size_t length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
        smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        smallest = 0x10000;
    }
    if (length == 0 || position + length > text.size()) {
        valid = false;
        return 1;
    }
    for (size_t k = 1; k < length; ++k) {
        if (!isContinuation(byteAt(k))) {
            valid = false;
            return 1;
        }
        value = (value << 6) | (byteAt(k) & 0x3F);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value < 0xE000)) {
        valid = false;
        return 1;
    }
    codePoint = value;
    return length;
}

size_t CountCharacters(std::string_view text) {
    size_t count = 0;
    char32_t codePoint = 0;
    bool valid = false;
    for (size_t i = 0; i < text.size(); ++count) {
        if (IsAscii(static_cast<unsigned char>(text[i]))) {
            ++i;
        } else {
            i += DecodeUtf8(text, i, codePoint, valid);
        }
    }
    return count;
}

void AppendUtf8(std::string& out, char32_t codePoint) {
    const auto put = [&out](char32_t value) { out.push_back(static_cast<char>(value)); };
    if (codePoint < 0x80) {
        put(codePoint);
    } else if (codePoint < 0x800) {
        put(0xC0 | (codePoint >> 6));
        put(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        put(0xE0 | (codePoint >> 12));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    } else {
        put(0xF0 | (codePoint >> 18));
        put(0x80 | ((codePoint >> 12) & 0x3F));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    }
}

void AppendValidUtf8(std::string_view text, std::string& out) {
    char32_t codePoint = 0;
    bool valid = false;
    for (size_t i = 0; i < text.size();) {
        const size_t length = DecodeUtf8(text, i, codePoint, valid);
        if (valid) {
            out.append(text.substr(i, length));
        } else {
            AppendUtf8(out, 0xFFFD);
        }
        i += length;
    }
}

}  // namespace quorvane
