// WTF-8 to UTF-16 and back, as paths cross the Windows boundary.

#include "text/native_text.h"

#include <gtest/gtest.h>

#include "support/wide_text.h"

namespace quorvane {
namespace {

TEST(NativeText, EveryUtf16NameComesBackUnchanged) {
    const std::wstring names[] = {
        L"plain",
        L"caf\u00e9 \u03bb\u03ad\u03be\u03b7 \u65e5\u672c",
        L"\U0001F600 and \U00010437",
        L"lone high \xD800 here",
        L"lone low \xDC00 here",
        L"reversed \xDC00\xD800 pair",
        L"high at the end \xDBFF",
        L"\xFFFD\xFFFF\x0001",
    };
    for (const std::wstring& name : names) {
        EXPECT_EQ(ToNativePath(FromNativePath(name)), name) << test::Narrow(name);
    }
    // Valid UTF-16 gives standard UTF-8; an unpaired surrogate the three bytes of its value.
    EXPECT_EQ(FromNativePath(names[1]), test::Narrow(names[1]));
    EXPECT_EQ(FromNativePath(L"\U0001F600"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(FromNativePath(L"a\xD800z"), "a\xED\xA0\x80z");
    EXPECT_EQ(ToNativePath("\xF0\x9F\x98\x80"), L"\U0001F600");
}

TEST(NativeText, BytesThatFormNoCharacterBecomeReplacementCharacters) {
    const struct {
        const char* utf8;
        const wchar_t* expected;
    } cases[] = {
        {"a\xE2\x82\xAC"
         "b",
         L"a\u20acb"},
        {"\xFF", L"\xFFFD"},
        {"\x80", L"\xFFFD"},
        {"\xC0\x80", L"\xFFFD\xFFFD"},                      // overlong NUL
        {"\xE0\x80\x80", L"\xFFFD\xFFFD\xFFFD"},            // overlong
        {"\xF4\x90\x80\x80", L"\xFFFD\xFFFD\xFFFD\xFFFD"},  // past U+10FFFF
        {"\xE2\x82", L"\xFFFD\xFFFD"},                      // cut short
        {"\xE2\x82"
         "x",
         L"\xFFFD\xFFFDx"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToNativePath(c.utf8), c.expected) << c.utf8;
}

}  // namespace
}  // namespace quorvane
