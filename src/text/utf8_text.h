#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvane {

// Folder names are kept as the file system gives them, so the results list may hold bytes
// that are not valid UTF-8. These helpers read such text one character at a time: a valid
// UTF-8 sequence is one character, and every byte that does not start one is a character of
// its own.

// Decodes the character at `text[position]` (position < text.size()). Returns its length in
// bytes; `codePoint` gets its value, or nothing useful and `valid` false for a stray byte
// (length 1). Overlong forms, surrogates and values past U+10FFFF count as stray bytes.
size_t DecodeUtf8(std::string_view text, size_t position, char32_t& codePoint, bool& valid);

// The number of characters in `text` by the rule above.
size_t CountCharacters(std::string_view text);

void AppendUtf8(std::string& out, char32_t codePoint);

// Appends `text` with each stray byte replaced by U+FFFD, so the result is valid UTF-8.
void AppendValidUtf8(std::string_view text, std::string& out);

inline bool IsAscii(unsigned char byte) {
    return byte < 0x80;
}

}  // namespace quorvane
