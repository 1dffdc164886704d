#include "text/numeric_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace quorvane {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool consume(std::string_view& text, std::string_view token) {
    if (token.empty() || !text.starts_with(token)) return false;
    text.remove_prefix(token.size());
    return true;
}

bool consumeDigit(std::string_view& text, std::string& out) {
    if (text.empty() || !std::isdigit(static_cast<unsigned char>(text.front()))) return false;
    out.push_back(text.front());
    text.remove_prefix(1);
    return true;
}

// Whether a number that a double cannot hold is too large rather than too small, from the
// decimal exponent of its first significant digit. `plain` is the rewritten form: an optional
// '-', digits with an optional '.', and an optional exponent.
bool beyondLargestDouble(std::string_view plain) {
    const size_t e = std::min(plain.find('e'), plain.size());
    const std::string_view mantissa = plain.substr(0, e);
    long long exponent = 0;
    if (e < plain.size()) {
        std::string_view digits = plain.substr(e + 1);
        const bool negative = digits.starts_with('-');
        if (negative) digits.remove_prefix(1);
        for (char c : digits)
            exponent = std::min(exponent * 10 + (c - '0'), 1'000'000'000LL);
        if (negative) exponent = -exponent;
    }
    const size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) return false;
    const size_t point = std::min(mantissa.find('.'), mantissa.size());
    const long long position = first < point ? static_cast<long long>(point - first) - 1
                                             : -static_cast<long long>(first - point);
    return position + exponent > 0;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

}  // namespace

Parsed<double, NumberError> ParseNumber(std::string_view text, const NumberFormat& format) {
    const auto notANumber = Parsed<double, NumberError>::failed(NumberError::NotANumber);
    text = trimBlanks(text);
    // Rewritten into the plain form that std::from_chars reads whatever the process locale.
    std::string plain;
    if (consume(text, "-")) {
        plain.push_back('-');
    } else {
        consume(text, "+");
    }
    bool digits = false;
    for (;;) {
        if (consumeDigit(text, plain)) {
            digits = true;
        } else if (!(digits && consume(text, format.groupSeparator))) {
            break;
        }
    }
    if (consume(text, format.decimalSeparator)) {
        plain.push_back('.');
        while (consumeDigit(text, plain))
            digits = true;
    }
    if (!digits) return notANumber;
    if (!text.empty() && (text.front() == 'e' || text.front() == 'E')) {
        text.remove_prefix(1);
        plain.push_back('e');
        if (consume(text, "-")) {
            plain.push_back('-');
        } else {
            consume(text, "+");
        }
        if (!consumeDigit(text, plain)) return notANumber;
        while (consumeDigit(text, plain)) {
        }
    }
    if (!text.empty()) return notANumber;

    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error == std::errc::result_out_of_range) {
        value = beyondLargestDouble(plain) ? std::numeric_limits<double>::infinity() : 0.0;
        if (plain.front() == '-') value = -value;
    } else if (error != std::errc() || end != plain.data() + plain.size()) {
        return notANumber;
    }
    return value;
}

Parsed<std::int16_t, NumberError> ParseInteger16(std::string_view text,
                                                 const NumberFormat& format) {
    using Result = Parsed<std::int16_t, NumberError>;
    const auto number = ParseNumber(text, format);
    if (!number.ok()) return Result::failed(number.error());
    // std::nearbyint rounds in the default mode, to nearest with halves to even.
    const double whole = std::nearbyint(number.value());
    if (!(whole >= std::numeric_limits<std::int16_t>::min() &&
          whole <= std::numeric_limits<std::int16_t>::max()))
        return Result::failed(NumberError::OutOfRange);
    return static_cast<std::int16_t>(whole);
}

Parsed<bool, NumberError> ParseBoolean(std::string_view text, const NumberFormat& format) {
    const std::string_view word = trimBlanks(text);
    if (equalsIgnoringCase(word, "true")) return true;
    if (equalsIgnoringCase(word, "false")) return false;
    const auto number = ParseNumber(text, format);
    if (!number.ok()) return Parsed<bool, NumberError>::failed(number.error());
    return number.value() != 0;
}

std::string GroupedDigits(std::uint64_t value, const NumberFormat& format) {
    const std::string digits = std::to_string(value);
    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += format.groupSeparator;
        grouped += digits[i];
    }
    return grouped;
}

}  // namespace quorvane
