#include "cli/utc_time_text.h"

namespace quorvane::cli {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

std::int64_t floorDivide(std::int64_t value, std::int64_t divisor) {
    const std::int64_t quotient = value / divisor;
    return quotient * divisor > value ? quotient - 1 : quotient;
}

struct CivilDate {
    std::int64_t year;
    int month;
    int day;
};

// The proleptic Gregorian date of a day counted from 1970-01-01, in 400-year eras of 146,097
// days each, with the year starting in March so that the leap day ends it.
CivilDate civilFromDays(std::int64_t days) {
    const std::int64_t shifted = days + 719468;  // days from 0000-03-01
    const std::int64_t era = floorDivide(shifted, 146097);
    const std::int64_t dayOfEra = shifted - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    const int month =
        static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

// Appends `value` in decimal with at least `width` digits.
void appendDigits(std::string& out, std::uint64_t value, size_t width) {
    char digits[20];
    size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    for (size_t pad = count; pad < width; ++pad)
        out.push_back('0');
    while (count > 0)
        out.push_back(digits[--count]);
}

}  // namespace

void AppendUtcTime(std::string& out, std::int64_t seconds) {
    // Split without multiplying back, which could overflow at the ends of the range.
    const bool beforeMidnight = seconds % kSecondsPerDay < 0;
    const std::int64_t days = seconds / kSecondsPerDay - (beforeMidnight ? 1 : 0);
    const std::int64_t secondOfDay =
        seconds % kSecondsPerDay + (beforeMidnight ? kSecondsPerDay : 0);
    const CivilDate date = civilFromDays(days);
    if (date.year >= 0 && date.year <= 9999) {
        appendDigits(out, static_cast<std::uint64_t>(date.year), 4);
    } else {
        out.push_back(date.year < 0 ? '-' : '+');
        const std::uint64_t magnitude = date.year < 0 ? 0 - static_cast<std::uint64_t>(date.year)
                                                      : static_cast<std::uint64_t>(date.year);
        appendDigits(out, magnitude, 6);
    }
    out.push_back('-');
    appendDigits(out, static_cast<std::uint64_t>(date.month), 2);
    out.push_back('-');
    appendDigits(out, static_cast<std::uint64_t>(date.day), 2);
    out.push_back('T');
    appendDigits(out, static_cast<std::uint64_t>(secondOfDay / 3600), 2);
    out.push_back(':');
    appendDigits(out, static_cast<std::uint64_t>(secondOfDay / 60 % 60), 2);
    out.push_back(':');
    appendDigits(out, static_cast<std::uint64_t>(secondOfDay % 60), 2);
    out.push_back('Z');
}

}  // namespace quorvane::cli
