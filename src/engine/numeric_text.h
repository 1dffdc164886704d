#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// The separators of the user's locale, as UTF-8 texts. The window fills them from the
// system locale; the command line and the tests use the defaults.
struct NumberFormat {
    std::string decimalSeparator = ".";
    std::string groupSeparator = ",";
};

// Reads a number the way the depth box is read: blanks around it, an optional sign, digits
// with group separators, an optional fraction and exponent. An empty text, a text of blanks or
// anything else is no number. A number too large for a double gives an infinity.
std::optional<double> ParseNumber(std::string_view text, const NumberFormat& format = {});

inline bool IsNumeric(std::string_view text, const NumberFormat& format = {}) {
    return ParseNumber(text, format).has_value();
}

// Converts a text to a 16-bit integer, a fraction to the nearest whole number and an exact
// half to the even one. Throws RunTimeError "Type mismatch" (13) for a text that is no number
// and "Overflow" (6) beyond the 16-bit range.
std::int16_t ToInteger16(std::string_view text, const NumberFormat& format = {});

// Converts a stored text to a Boolean: True and False in any letter case, or a number (0 is
// False). Throws RunTimeError "Type mismatch" (13) for anything else.
bool ToBoolean(std::string_view text, const NumberFormat& format = {});

// The word a Boolean is stored as.
inline const char* BooleanWord(bool value) {
    return value ? "True" : "False";
}

}  // namespace quorvane
