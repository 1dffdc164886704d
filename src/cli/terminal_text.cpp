#include "cli/terminal_text.h"

#include "text/utf8_text.h"

namespace quorvane::cli {

namespace {

bool IsControl(char32_t codePoint) {
    return codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0);
}

void AppendEscaped(std::string& out, std::string_view bytes) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        out += "\\x";
        out += kDigits[value >> 4];
        out += kDigits[value & 0xF];
    }
}

}  // namespace

std::string TerminalSafeText(std::string_view text) {
    std::string safe;
    safe.reserve(text.size());
    AppendTerminalSafeText(safe, text);
    return safe;
}

void AppendTerminalSafeText(std::string& safe, std::string_view text) {
    for (size_t at = 0; at < text.size();) {
        char32_t codePoint = 0;
        bool valid = false;
        const size_t length = DecodeUtf8(text, at, codePoint, valid);
        const std::string_view character = text.substr(at, length);
        if (valid && !IsControl(codePoint)) {
            safe.append(character);
        } else {
            AppendEscaped(safe, character);
        }
        at += length;
    }
}

}  // namespace quorvane::cli
