// How paths cross the Windows boundary: the platform's doubled-backslash rule, WTF-8 to
// UTF-16 and back, and the extended-length form that the listing calls take.

#include <windows.h>

#include <gtest/gtest.h>

#include "engine/extended_length_path.h"
#include "engine/path_rules.h"
#include "support/temp_folder.h"
#include "support/wide_text.h"
#include "text/native_text.h"

namespace quorvane {
namespace {

// The rule's table (tests/engine/path_rules_test.cpp) runs in this build too; here the
// program's own entry points must be the Windows rule.
TEST(WindowsPathRules, RemoveDoubleBackslashesIsTheWindowsRuleHere) {
    for (const char* text : {R"(\\server\share\\x\)", R"(\x)", R"(C:\a\\\b)", ""}) {
        EXPECT_EQ(RemoveDoubleBackslashes(text), RemoveDoubleBackslashesWindows(text)) << text;
    }
    EXPECT_EQ(kSeparator, '\\');
    // What a results list entry holds for a folder of the walk.
    EXPECT_EQ(EntryFromFolderPath(R"(C:\Data\\Sub\)"), R"(C:\Data\Sub)");
    EXPECT_EQ(EntryFromFolderPath(R"(\\server\share\\x\)"), R"(\\server\share\x)");
    EXPECT_EQ(EntryFromFolderPath(R"(C:\)"), "C:");
    EXPECT_EQ(ToFolderPathForm("C:"), R"(C:\)");
}

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

TEST(ExtendedLengthPath, TidiesLikeWindowsButKeepsEveryName) {
    const struct {
        const char* path;
        const wchar_t* expected;
    } cases[] = {
        {R"(C:\Data\)", LR"(\\?\C:\Data\)"},
        {R"(C:\Data)", LR"(\\?\C:\Data)"},
        {R"(C:\)", LR"(\\?\C:\)"},
        {"C:/Data//Sub/", LR"(\\?\C:\Data\Sub\)"},
        {R"(C:\Data\\)", LR"(\\?\C:\Data\)"},
        {R"(C:\a\.\b\..\c)", LR"(\\?\C:\a\c)"},
        {R"(C:\..\x)", LR"(\\?\C:\x)"},
        {R"(C:\trailing dot.\blank \)", LR"(\\?\C:\trailing dot.\blank \)"},
        {R"(\\server\share\\x\)", LR"(\\?\UNC\server\share\x\)"},
        {R"(\\\server\share)", LR"(\\?\UNC\server\share\)"},
        {"//server/share/x", LR"(\\?\UNC\server\share\x)"},
        {R"(\\?\C:\a\..\b)", LR"(\\?\C:\a\..\b)"},
        {R"(\\.\pipe\x)", LR"(\\.\pipe\x)"},
        {"C:\\\xCE\xBB\xCE\xAD\xCE\xBE\xCE\xB7\\", L"\\\\?\\C:\\\u03bb\u03ad\u03be\u03b7\\"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToExtendedLengthPath(c.path), c.expected) << c.path;
}

TEST(ExtendedLengthPath, RelativePathIsTakenFromTheCurrentFolder) {
    test::TempFolder temp;
    wchar_t saved[32768];
    GetCurrentDirectoryW(32768, saved);
    ASSERT_TRUE(SetCurrentDirectoryW(test::Wide(temp.path()).c_str()));
    const std::wstring relative = ToExtendedLengthPath(R"(sub\x\)");
    const std::wstring dotted = ToExtendedLengthPath(R"(.\sub\..\y)");
    SetCurrentDirectoryW(saved);
    EXPECT_EQ(relative, L"\\\\?\\" + test::Wide(temp.path()) + LR"(\sub\x\)");
    EXPECT_EQ(dotted, L"\\\\?\\" + test::Wide(temp.path()) + LR"(\y)");
}

}  // namespace
}  // namespace quorvane
