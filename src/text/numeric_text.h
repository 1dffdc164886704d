#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/parsed.h"

namespace quorvane {

// The separators of the user's locale, as UTF-8 texts. The window fills them from the
// system locale; the command line and the tests use the defaults.
struct NumberFormat {
    std::string decimalSeparator = ".";
    std::string groupSeparator = ",";
};

// Why a text gives no value of the kind asked for.
enum class NumberError : std::uint8_t {
    NotANumber,
    OutOfRange  // a number, but beyond what the kind holds
};

// Reads a number the way the depth box is read: blanks around it, an optional sign, digits
// with group separators, an optional fraction and exponent. An empty text, a text of blanks or
// anything else is no number. A number too large for a double gives an infinity.
Parsed<double, NumberError> ParseNumber(std::string_view text, const NumberFormat& format = {});

// A whole number as the locale writes it, its digits grouped by three: 1234567 as "1,234,567".
std::string GroupedDigits(std::uint64_t value, const NumberFormat& format = {});

// Reads a 16-bit integer, a fraction as the nearest whole number and an exact half as the even
// one.
Parsed<std::int16_t, NumberError> ParseInteger16(std::string_view text,
                                                 const NumberFormat& format = {});

// Reads a stored Boolean: True and False in any letter case, or a number (0 is False).
Parsed<bool, NumberError> ParseBoolean(std::string_view text, const NumberFormat& format = {});

// The word a Boolean is stored as.
inline const char* BooleanWord(bool value) {
    return value ? "True" : "False";
}

}  // namespace quorvane
