#include "text/numeric_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

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
        ASSERT_TRUE(parsed.ok()) << n.text;
        EXPECT_DOUBLE_EQ(parsed.value(), n.value) << n.text;
    }
    for (const char* text : {"", "   ", "abc", "1a", "a1", "1e", "1e+", "-", "+", ".", ",1",
                             "1 000", "--1", "+-1", "1.2.3", "0x10", "1e5.5", "\xef\xbc\x91"}) {
        EXPECT_FALSE(ParseNumber(text).ok()) << "'" << text << "'";
    }
}

TEST(NumericText, ParseNumberTakesNumbersBeyondADoubleAsInfinite) {
    for (const char* text : {"1e400", "0.1e400", "0.00001e320", "1000e306"}) {
        const auto parsed = ParseNumber(text);
        ASSERT_TRUE(parsed.ok()) << text;
        EXPECT_EQ(parsed.value(), std::numeric_limits<double>::infinity()) << text;
        EXPECT_EQ(ParseNumber(std::string("-") + text).value(),
                  -std::numeric_limits<double>::infinity())
            << text;
    }
    for (const char* text : {"1e-400", "100e-330", "0.1e-330"})
        EXPECT_EQ(ParseNumber(text).value(), 0.0) << text;
}

TEST(NumericText, ParseNumberUsesTheLocaleSeparators) {
    EXPECT_DOUBLE_EQ(ParseNumber("2,5", kGerman).value(), 2.5);
    EXPECT_DOUBLE_EQ(ParseNumber("1.000,5", kGerman).value(), 1000.5);
    EXPECT_DOUBLE_EQ(ParseNumber("2.5", kGerman).value(), 25);  // the dot groups there
    EXPECT_FALSE(ParseNumber("2,5,", kGerman).ok());
    EXPECT_DOUBLE_EQ(ParseNumber("1" + kNarrowSpace + "000,5", kFrench).value(), 1000.5);
    EXPECT_FALSE(ParseNumber("1 000", kFrench).ok());
}

TEST(NumericText, ParseInteger16RoundsHalvesToEven) {
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
        EXPECT_EQ(ParseInteger16(c.text).value(), c.value) << c.text;
    EXPECT_EQ(ParseInteger16("2,5", kGerman).value(), 2);
    EXPECT_EQ(ParseInteger16("3,5", kGerman).value(), 4);
}

TEST(NumericText, ParseBooleanTakesTheWordsOrANumber) {
    for (const char* text : {"True", "TRUE", "true", " tRuE ", "1", "-1", "2.5", "1e3"}) {
        EXPECT_TRUE(ParseBoolean(text).value()) << text;
    }
    for (const char* text : {"False", "FALSE", "false", " false", "0", "0.0", "-0", "0e5"}) {
        EXPECT_FALSE(ParseBoolean(text).value()) << text;
    }
    EXPECT_FALSE(ParseBoolean("0,0", kGerman).value());
    EXPECT_EQ(BooleanWord(true), std::string("True"));
    EXPECT_EQ(BooleanWord(false), std::string("False"));
}

}  // namespace
}  // namespace quorvane
