#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// Appends `text` in lower case to `out`. Each character goes through the platform's Unicode
// lower-case mapping (ASCII through a table of its own, for speed); bytes that are not valid
// UTF-8 are copied unchanged. Texts lowered by this one function compare alike whatever their
// case, which is all the filters need: the same mapping on both sides.
void AppendLowerCase(std::string_view text, std::string& out);

// The platform's lower case of one character; characters without one map to themselves.
// Platform: lower_case_posix.cpp, lower_case_windows.cpp.
char32_t LowerCaseCharacter(char32_t codePoint);

}  // namespace quorvane
