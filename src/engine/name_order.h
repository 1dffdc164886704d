#pragma once

#include <string_view>

namespace quorvane {

// The order of the folders in one block of the list.
enum class NameOrder {
    Listing,  // as the file system lists them
    Bytes,    // byte by byte, unsigned: code point order for UTF-8, 'B' before 'a'
    Natural,  // runs of digits by their value: "v2" before "v10"
};

// Byte order: negative, zero or positive as `a` sorts before, with or after `b`.
int CompareBytes(std::string_view a, std::string_view b);

// Natural order. Runs of ASCII digits compare by their value, whatever their length; all else
// compares byte by byte, and a digit against a non-digit by their bytes. Of two names equal
// but for leading zeros, the one whose first differing run has fewer zeros comes first ("7"
// before "07"), so only identical names compare equal and every machine sorts alike.
int CompareNatural(std::string_view a, std::string_view b);

// For std::sort and its kin; Listing keeps nothing in order and must not be sorted with.
struct NameLess {
    NameOrder order = NameOrder::Bytes;
    bool operator()(std::string_view a, std::string_view b) const {
        return (order == NameOrder::Natural ? CompareNatural(a, b) : CompareBytes(a, b)) < 0;
    }
};

}  // namespace quorvane
