#include "engine/path_rules.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

struct Case {
    const char* text;
    const char* expected;
};

TEST(PathRules, WindowsRuleCollapsesPairsAndKeepsANetworkPrefix) {
    const Case cases[] = {
        {R"(C:\Data\\Sub\)", R"(C:\Data\Sub\)"},
        {R"(\\server\share\\x\)", R"(\\server\share\x\)"},
        {R"(\\\server\x)", R"(\\server\x)"},
        {R"(\x)", R"(\\x)"},
        {R"(\)", R"(\\)"},
        {R"(\\)", R"(\\)"},
        {"", ""},
        {R"(C:\a\\\b)", R"(C:\a\\b)"},     // a run of three gives two
        {R"(C:\a\\\\b)", R"(C:\a\\b)"},    // a run of four gives two
        {R"(C:\a\\\\\b)", R"(C:\a\\\b)"},  // a run of five gives three
        {R"(C:\Data\\)", R"(C:\Data\)"},
        {R"(\\\\\\x\\y)", R"(\\x\y)"},  // any leading run gives two
        {R"(C:\Data\Sub)", R"(C:\Data\Sub)"},
        {"no separators", "no separators"},
        {"C:/a//b", "C:/a//b"},  // only backslashes count
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RemoveDoubleBackslashesWindows(c.text), c.expected) << "input: " << c.text;
    }
}

TEST(PathRules, PosixRuleCollapsesEverySlashRunLeadingOnesToo) {
    const Case cases[] = {
        {"/a//b///c/", "/a/b/c/"},
        {"//server/x", "/server/x"},
        {"////", "/"},
        {"/", "/"},
        {"", ""},
        {"a//", "a/"},
        {"plain", "plain"},
        {R"(a\\b)", R"(a\\b)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CollapseSlashRuns(c.text), c.expected) << "input: " << c.text;
        EXPECT_EQ(CollapseSlashRuns(CollapseSlashRuns(c.text)), c.expected) << "not idempotent";
    }
}

TEST(PathRules, FolderPathFormEndsWithExactlyTheSeparatorItHad) {
    const std::string s(1, kSeparator);
    EXPECT_EQ(ToFolderPathForm("a"), "a" + s);
    EXPECT_EQ(ToFolderPathForm("a" + s), "a" + s);
    EXPECT_EQ(ToFolderPathForm(s), s);
    // Doubled separators are the walk's business, not this one's.
    EXPECT_EQ(ToFolderPathForm("a" + s + s), "a" + s + s);
}

TEST(PathRules, EntryDropsTheTrailingSeparatorAndCollapsesDoubles) {
    const std::string s(1, kSeparator);
    const std::string root = kSeparator == '\\' ? "C:\\" : "/";
    EXPECT_EQ(EntryFromFolderPath(root + "data" + s + "sub" + s), root + "data" + s + "sub");
    EXPECT_EQ(EntryFromFolderPath("x" + s + s + "y" + s), "x" + s + "y");
    EXPECT_EQ(EntryFromFolderPath("x" + s + s), "x" + s);
    EXPECT_EQ(EntryFromFolderPath(s), "");
    EXPECT_EQ(EntryFromFolderPath(""), "");
    // Names are bytes: nothing but separators is touched.
    EXPECT_EQ(EntryFromFolderPath("caf\xe9" + s + "line\nbreak" + s),
              "caf\xe9" + s + "line\nbreak");
}

}  // namespace
}  // namespace quorvane
