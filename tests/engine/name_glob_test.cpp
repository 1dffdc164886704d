#include "engine/name_glob.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

struct Case {
    const char* pattern;
    const char* path;  // below the target; its last component is the name
    bool expected;
};

constexpr GlobRules kPosix{false, false};
constexpr GlobRules kWindows{false, true};

template <size_t N>
void expectMatches(const Case (&cases)[N], GlobRules rules) {
    for (const Case& c : cases) {
        const auto glob = NameGlob::Parse(c.pattern, rules);
        ASSERT_TRUE(glob.ok()) << c.pattern << ": " << glob.error();
        const std::string_view path = c.path;
        const size_t slash = path.find_last_of(rules.windowsSeparators ? "/\\" : "/");
        const std::string_view name = slash == path.npos ? path : path.substr(slash + 1);
        EXPECT_EQ(glob.value().matches(name, path), c.expected)
            << c.pattern << " against " << c.path;
    }
}

TEST(NameGlob, NamePatternsMatchTheWholeNameCharacterByCharacter) {
    const Case cases[] = {
        {"node_modules", "x/node_modules", true},
        {"node_modules", "node_modules2", false},
        {"node_modules", "Node_Modules", false},
        {"*.bak", "a/x.bak", true},
        {"*.bak", ".bak", true},
        {"*.bak", "x.bak.old", false},
        {"a*b*c", "aXbYbZc", true},
        {"a*b*c", "abcX", false},
        {"ä*-1", "äé-2-1", true},  // the star passes over an earlier '-'
        {"*-1", "x-1-2", false},
        {"a**c", "abbc", true},  // not a whole component: one star
        {"**", "any/thing", true},
        {"?", "é", true},  // one UTF-8 sequence is one character
        {"??", "é", false},
        {"?", "\xff", true},  // so is a stray byte
        {"?", "\xc3", true},
        {"\xff*", "\xff\xfe", true},
        {"[abc]x", "bx", true},
        {"[!abc]x", "bx", false},
        {"[^abc]x", "dx", true},
        {"[a-c][0-9]", "b7", true},
        {"[a-c]", "d", false},
        {"[]]", "]", true},
        {"[!]]", "]", false},
        {"[a-]", "-", true},
        {"[α-ω]", "λ", true},
        {"[α-ω]", "a", false},
        {"$RECYCLE.BIN", "$RECYCLE.BIN", true},
        {"build/", "src/build", true},  // a trailing separator changes nothing
    };
    expectMatches(cases, kPosix);
    expectMatches(cases, kWindows);
}

TEST(NameGlob, PathPatternsMatchThePathBelowTheTarget) {
    const Case cases[] = {
        {"a/b", "a/b", true},
        {"a/b", "x/a/b", false},
        {"/a/b", "a/b", true},
        {"/build", "build", true},
        {"/build", "x/build", false},
        {"a/b/", "a/b", true},
        {"**/a/b", "a/b", true},
        {"**/a/b", "x/y/a/b", true},
        {"**/a/b", "x/a/b/c", false},
        {"a/**", "a", true},
        {"a/**", "a/x/y", true},
        {"a/**/z", "a/z", true},
        {"a/**/z", "a/x/y/z", true},
        {"a/**/z", "a/x/y", false},
        {"a/**/**/z", "a/z", true},
        {"*/x", "a/x", true},
        {"*/x", "a/b/x", false},
        {"a/*b", "a/xb", true},
        {"a/?", "a/é", true},
        {"a/?", "a/bc", false},
        {"**/x*/**/y", "q/xa/r/s/y", true},
    };
    expectMatches(cases, kPosix);
    expectMatches(cases, kWindows);
    EXPECT_TRUE(NameGlob::Parse("/top").value().matchesPaths());
    EXPECT_FALSE(NameGlob::Parse("top/").value().matchesPaths());
}

TEST(NameGlob, BackslashEscapesOnPosixAndSeparatesOnWindows) {
    expectMatches({{"\\*", "*", true},
                   {"\\*", "x", false},
                   {"[\\]]", "]", true},
                   {"a\\b", "ab", true},
                   {"a\\/b", "a/b", false}},
                  kPosix);
    expectMatches({{"a\\b", "a\\b", true},
                   {"a\\b", "a/b", true},
                   {"a/b", "a\\b", true},
                   {"\\build", "x\\build", false},
                   {"x\\", "x", true}},
                  kWindows);
}

TEST(NameGlob, IgnoringCaseFoldsBothSidesBeyondAscii) {
    const GlobRules rules{true, false};
    expectMatches({{"NODE_modules", "node_MODULES", true},
                   {"ärger*", "ÄRGERLICH", true},
                   {"[A-Z]x", "qx", true},
                   {"[a-z]x", "QX", true},
                   {"σοφία", "ΣΟΦΊΑ", true},
                   {"Src/*", "src/Lib", true},
                   {"\xff", "\xff", true},
                   {"a", "b", false}},
                  rules);
}

TEST(NameGlob, BadPatternsAreRefusedWithAReason) {
    for (const char* pattern : {"", "[abc", "a[", "[!", "[]", "a//b", "/", "//a", "x\\", "[z-a]",
                                "[[:alpha:]]", "[a/b]"}) {
        const auto glob = NameGlob::Parse(pattern, kPosix);
        EXPECT_FALSE(glob.ok()) << pattern;
        EXPECT_FALSE(glob.error().empty()) << pattern;
    }
    const auto glob = NameGlob::Parse("a[");
    EXPECT_FALSE(glob.ok());
    EXPECT_EQ(glob.error(), "unclosed '['");
}

}  // namespace
}  // namespace quorvane
