#include "cli/option_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace quorvane::cli {
namespace {

// A name or letter given twice would leave the later option unreachable; an option that sets
// nothing would be accepted and ignored.
TEST(OptionTable, EveryOptionIsFoundByItsNameAndLetterAndSetsSomething) {
    std::set<std::string> written;
    for (const OptionEntry& option : OptionTable()) {
        EXPECT_TRUE(written.insert(std::string(option.name)).second) << option.name;
        EXPECT_EQ(FindOption(option.name), &option) << option.name;
        if (option.letter) {
            const std::string letter = std::string("-") + option.letter;
            EXPECT_TRUE(written.insert(letter).second) << letter;
            EXPECT_EQ(FindOption(letter), &option) << letter;
        }
        EXPECT_NE(option.flag == nullptr, option.apply == nullptr) << option.name;
        EXPECT_EQ(option.value == ValueUse::None, option.valueName.empty()) << option.name;
    }
    EXPECT_EQ(FindOption("--unknown"), nullptr);
}

}  // namespace
}  // namespace quorvane::cli
