// The text file of "Save Results As Text File" on Windows: the ANSI code page with the
// platform's substitutes.

#include <windows.h>

#include <gtest/gtest.h>

#include "results/scratch_folder.h"
#include "results/text_file_export.h"

namespace quorvane {
namespace {

using testing::MakeList;

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

}  // namespace
}  // namespace quorvane
