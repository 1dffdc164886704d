// How paths cross the Windows boundary: the platform's doubled-backslash rule and the
// extended-length form that the listing calls take.

#include <windows.h>

#include <gtest/gtest.h>

#include "engine/extended_length_path.h"
#include "engine/path_rules.h"
#include "support/temp_folder.h"
#include "support/wide_text.h"

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
