#include "form/value_conversions.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "form/run_time_error.h"

namespace quorvane {
namespace {

// What the trap reports for a conversion that fails, as a description and a number.
template <typename Conversion>
std::pair<std::string, long> failureOf(Conversion conversion) {
    try {
        conversion();
    } catch (const RunTimeError& error) {
        return {error.what(), error.number()};
    }
    return {"no failure", 0};
}

const std::pair<std::string, long> kMismatch{"Type mismatch", 13};
const std::pair<std::string, long> kOverflow{"Overflow", 6};

TEST(ValueConversions, ToInteger16FailsAsTypeMismatchOrOverflow) {
    for (const char* text : {"", "  ", "abc", "1a", "2.5."})
        EXPECT_EQ(failureOf([&] { ToInteger16(text); }), kMismatch) << text;
    for (const char* text :
         {"32768", "32767.5", "-32768.6", "40000", "1e10", "-1e10", "1e400", "0.1e400"}) {
        EXPECT_EQ(failureOf([&] { ToInteger16(text); }), kOverflow) << text;
    }
    EXPECT_EQ(ToInteger16("2,5", {",", "."}), 2);
}

TEST(ValueConversions, ToBooleanFailsAsTypeMismatch) {
    for (const char* text : {"", " ", "yes", "no", "T", "Truee", "on"})
        EXPECT_EQ(failureOf([&] { ToBoolean(text); }), kMismatch) << text;
    EXPECT_TRUE(ToBoolean(" tRuE "));
}

}  // namespace
}  // namespace quorvane
