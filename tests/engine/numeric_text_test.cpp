#include "engine/numeric_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "engine/run_time_error.h"

namespace quorvane {
namespace {

const NumberFormat kGerman{",", "."};
const std::string kNarrowSpace = "\xe2\x80\xaf";
const NumberFormat kFrench{",", kNarrowSpace};

TEST(NumericText, ParseNumberReadsWhatTheDepthBoxAccepts) {
    const struct {
        const char* text;
        double value;
    } numbers[] = {
        {"1", 1},      {" 2 ", 2},     {"\t3\t", 3},     {"+4", 4},       {"-5", -5},
        {"2.5", 2.5},  {".5", 0.5},    {"5.", 5},        {"1,000", 1000}, {"1,000.25", 1000.25},
        {"1e3", 1000}, {"1E-2", 0.01}, {"-1.5e+1", -15}, {"007", 7},      {"0", 0},
        {"1e-400", 0}, {"-0", 0},
    };
    for (const auto& n : numbers) {
        const auto parsed = ParseNumber(n.text);
        ASSERT_TRUE(parsed.has_value()) << n.text;
        EXPECT_DOUBLE_EQ(*parsed, n.value) << n.text;
    }
    for (const char* text : {"", "   ", "abc", "1a", "a1", "1e", "1e+", "-", "+", ".", ",1",
                             "1 000", "--1", "+-1", "1.2.3", "0x10", "1e5.5", "\xef\xbc\x91"}) {
        EXPECT_FALSE(ParseNumber(text).has_value()) << "'" << text << "'";
    }
}

TEST(NumericText, ParseNumberTakesNumbersBeyondADoubleAsInfinite) {
    for (const char* text : {"1e400", "0.1e400", "0.00001e320", "1000e306"}) {
        const auto parsed = ParseNumber(text);
        ASSERT_TRUE(parsed.has_value()) << text;
        EXPECT_EQ(*parsed, std::numeric_limits<double>::infinity()) << text;
        EXPECT_EQ(*ParseNumber(std::string("-") + text), -std::numeric_limits<double>::infinity())
            << text;
    }
    for (const char* text : {"1e-400", "100e-330", "0.1e-330"})
        EXPECT_EQ(*ParseNumber(text), 0.0) << text;
}

TEST(NumericText, ParseNumberUsesTheLocaleSeparators) {
    EXPECT_DOUBLE_EQ(*ParseNumber("2,5", kGerman), 2.5);
    EXPECT_DOUBLE_EQ(*ParseNumber("1.000,5", kGerman), 1000.5);
    EXPECT_DOUBLE_EQ(*ParseNumber("2.5", kGerman), 25);  // the dot is a group separator there
    EXPECT_FALSE(ParseNumber("2,5,", kGerman).has_value());
    EXPECT_DOUBLE_EQ(*ParseNumber("1" + kNarrowSpace + "000,5", kFrench), 1000.5);
    EXPECT_FALSE(ParseNumber("1 000", kFrench).has_value());
}

TEST(NumericText, ToInteger16RoundsHalvesToEven) {
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"2.5", 2},         {"3.5", 4},         {"-2.5", -2},         {"0.5", 0},
        {"1.5", 2},         {"2.4999", 2},      {"2.5001", 3},        {"32767", 32767},
        {"-32768", -32768}, {"32767.4", 32767}, {"-32768.5", -32768}, {" 7 ", 7},
        {"1e2", 100},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToInteger16(c.text), c.value) << c.text;
    EXPECT_EQ(ToInteger16("2,5", kGerman), 2);
    EXPECT_EQ(ToInteger16("3,5", kGerman), 4);
}

TEST(NumericText, ToInteger16FailsAsTypeMismatchOrOverflow) {
    const auto failure = [](const char* text) -> std::pair<std::string, long> {
        try {
            ToInteger16(text);
        } catch (const RunTimeError& error) {
            return {error.what(), error.number()};
        }
        return {"no failure", 0};
    };
    const std::pair<std::string, long> mismatch{"Type mismatch", 13};
    const std::pair<std::string, long> overflow{"Overflow", 6};
    for (const char* text : {"", "  ", "abc", "1a", "2.5."})
        EXPECT_EQ(failure(text), mismatch) << text;
    for (const char* text :
         {"32768", "32767.5", "-32768.6", "40000", "1e10", "-1e10", "1e400", "0.1e400"}) {
        EXPECT_EQ(failure(text), overflow) << text;
    }
}

TEST(NumericText, ToBooleanTakesTheWordsOrANumber) {
    for (const char* text : {"True", "TRUE", "true", " tRuE ", "1", "-1", "2.5", "1e3"}) {
        EXPECT_TRUE(ToBoolean(text)) << text;
    }
    for (const char* text : {"False", "FALSE", "false", " false", "0", "0.0", "-0", "0e5"}) {
        EXPECT_FALSE(ToBoolean(text)) << text;
    }
    for (const char* text : {"", " ", "yes", "no", "T", "Truee", "on"}) {
        try {
            ToBoolean(text);
            ADD_FAILURE() << "accepted " << text;
        } catch (const RunTimeError& error) {
            EXPECT_STREQ(error.what(), "Type mismatch");
            EXPECT_EQ(error.number(), 13);
        }
    }
    EXPECT_FALSE(ToBoolean("0,0", kGerman));
    EXPECT_EQ(BooleanWord(true), std::string("True"));
    EXPECT_EQ(BooleanWord(false), std::string("False"));
}

}  // namespace
}  // namespace quorvane
