#include "results/clipboard_text.h"

#include <gtest/gtest.h>

#include "results/scratch_folder.h"
#include "results/scripted_yield.h"

namespace quorvane {
namespace {

using testing::MakeList;
using testing::ScriptedYield;

TEST(ClipboardText, PathsArePaddedWithBlanksBeforeTheTab) {
    EXPECT_EQ(ResultsClipboardText(MakeList({"C:\\A", "C:\\BB"})), "C:\\A \t\r\nC:\\BB\t\r\n");
    EXPECT_EQ(ResultsClipboardText(MakeList({"C:\\Only"})), "C:\\Only\t\r\n");
    EXPECT_EQ(ResultsClipboardText(MakeList({"/x/1", "/y/2"})), "/x/1\t\r\n/y/2\t\r\n");
    EXPECT_EQ(ResultsClipboardText(MakeList({"/a", "/longer", "/b"})),
              "/a     \t\r\n/longer\t\r\n/b     \t\r\n");
}

TEST(ClipboardText, WidthCountsCharactersNotBytes) {
    // "Ä" is two bytes and one character; a stray byte is one character.
    EXPECT_EQ(ResultsClipboardText(MakeList({"/Ä", "/ab", "/\xff"})),
              "/Ä \t\r\n/ab\t\r\n/\xff \t\r\n");
    EXPECT_EQ(ResultsClipboardText(MakeList({"/日本", "/a"})), "/日本\t\r\n/a \t\r\n");
}

TEST(ClipboardText, EmptyListGivesNoText) {
    EXPECT_EQ(ResultsClipboardText(FolderList()), "");
}

TEST(ClipboardText, ListChangedBetweenThePasses) {
    // Appended during the widths pass: the longer entry is in the lines, without blanks.
    FolderList list = MakeList({"C:\\A", "C:\\BB"});
    ScriptedYield append([&list](int yield) {
        if (yield == 1) list.append("C:\\LONGER");
    });
    std::string text;
    ASSERT_TRUE(ResultsClipboardText(list, &append, text).ok());
    EXPECT_EQ(text, "C:\\A \t\r\nC:\\BB\t\r\nC:\\LONGER\t\r\n");

    // Losing entries during a pass fails instead of pairing widths with other entries.
    list = MakeList({"C:\\A", "C:\\BB", "C:\\C"});
    ScriptedYield remove([&list](int yield) {
        if (yield == 5) list.removeAt(0);
    });
    text = "before";
    EXPECT_EQ(ResultsClipboardText(list, &remove, text).failure(), Status::Failure::ListChanged);
    EXPECT_EQ(text, "");
}

}  // namespace
}  // namespace quorvane
