// The text file of "Save Results As Text File" on Windows: the ANSI code page with the
// platform's substitutes, written under any name.

#include <windows.h>

#include <gtest/gtest.h>

#include "results/clipboard_text.h"
#include "results/folder_list.h"
#include "results/text_file_export.h"
#include "support/fixture_tree.h"
#include "support/temp_folder.h"

namespace quorvane {
namespace {

FolderList MakeList(const std::vector<std::string>& entries) {
    FolderList list;
    for (const std::string& entry : entries)
        list.append(entry);
    return list;
}

TEST(WindowsTextFile, EntriesAreInTheAnsiCodePageWithItsSubstitutes) {
    if (GetACP() != 1252) GTEST_SKIP() << "the bytes below are those of code page 1252";
    // "é" is in the code page; Greek letters without a near Latin letter and CJK are not.
    const FolderList list = MakeList({"C:\\café", "C:\\λέξη", "C:\\日本", "C:\\Ünïcödé\\x"});
    EXPECT_EQ(ResultsTextFileBytes(list),
              "C:\\caf\xE9\r\n"
              "C:\\????\r\n"
              "C:\\??\r\n"
              "C:\\\xDCn\xEF"
              "c\xF6"
              "d\xE9\\x\r\n"
              "\r\n");

    // Beyond the BMP, and an unpaired surrogate: substitutes only, never the UTF-8 bytes.
    for (const char* entry : {"\xF0\x9F\x98\x80", "\xED\xA0\x80"}) {
        const std::string bytes = ResultsTextFileBytes(MakeList({entry}));
        ASSERT_TRUE(bytes.ends_with("\r\n\r\n")) << bytes;
        const std::string text = bytes.substr(0, bytes.size() - 4);
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(text.find_first_not_of('?'), std::string::npos) << text;
    }
}

TEST(WindowsTextFile, FileNamedBeyondTheAnsiCodePageIsWrittenAndReplaced) {
    test::TempFolder temp;
    const std::string name = "Λίστα 日本 😀.txt";
    const std::string file = temp / name;
    ASSERT_TRUE(SaveResultsToTextFile(MakeList({"C:\\A", "C:\\B"}), file).ok());
    EXPECT_EQ(test::ReadFile(file), "C:\\A\r\nC:\\B\r\n\r\n");
    ASSERT_TRUE(SaveResultsToTextFile(FolderList(), file).ok());
    EXPECT_EQ(test::ReadFile(file), "\r\n");
    EXPECT_EQ(test::ListedNames(temp.path()), std::vector<std::string>{name});

    const Status failure = SaveResultsToTextFile(FolderList(), temp / "missing\\list.txt");
    EXPECT_EQ(failure.failure(), Status::Failure::System);
    EXPECT_EQ(failure.code(), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(test::ListedNames(temp.path()), std::vector<std::string>{name});
}

TEST(WindowsClipboardText, WidthsCountCharactersOfNamesBeyondTheCodePage) {
    EXPECT_EQ(ResultsClipboardText(MakeList({"C:\\λέξη", "C:\\ab", "C:\\日本語x"})),
              "C:\\λέξη\t\r\nC:\\ab  \t\r\nC:\\日本語x\t\r\n");
}

}  // namespace
}  // namespace quorvane
