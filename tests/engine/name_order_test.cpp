#include "engine/name_order.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace quorvane {
namespace {

// Every pair of `names`, which are in `compare`'s order, compares as their places do: this
// checks the order itself, that it is antisymmetric, and that only equal names are equal.
void expectOrder(const std::vector<std::string>& names,
                 int (*compare)(std::string_view, std::string_view)) {
    for (size_t i = 0; i < names.size(); ++i) {
        for (size_t j = 0; j < names.size(); ++j) {
            const int expected = (i > j) - (i < j);
            EXPECT_EQ(compare(names[i], names[j]), expected)
                << '"' << names[i] << "\" against \"" << names[j] << '"';
        }
    }
}

TEST(NameOrder, BytesCompareUnsignedAndCaseCounts) {
    expectOrder({"", "-", "0", "10", "9", "B", "a", "a b", "ab", "z", "é", "\xff"}, CompareBytes);
}

// Leading zeros only break a tie of everything else: "a01" after "a1" but before "a1-".
TEST(NameOrder, NaturalComparesDigitRunsByValue) {
    // The empty name first, then each word.
    std::vector<std::string> names = {""};
    std::istringstream words(
        "-1 1 01 001 1a 01b 2 9 09x 10 99999999999999999999999 100000000000000000000000 B a a0 a00 "
        "a1 a01 a1- a1.5 a1.05 a1.10 a1b a2 a2b1 a2b01 a2b10 a10 ab v1.2.9 v1.2.10 v1.10.0 é \xff");
    for (std::string word; words >> word;)
        names.push_back(word);
    expectOrder(names, CompareNatural);
    EXPECT_TRUE(NameLess{NameOrder::Natural}("v2", "v10"));
    EXPECT_FALSE(NameLess{NameOrder::Bytes}("v2", "v10"));
}

}  // namespace
}  // namespace quorvane
