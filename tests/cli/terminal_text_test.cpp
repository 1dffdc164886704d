#include "cli/terminal_text.h"

#include <gtest/gtest.h>

namespace quorvane::cli {
namespace {

TEST(TerminalText, EscapeSequencesInFolderNamesCannotRewriteTheTerminal) {
    // Clearing the screen, retitling the window, moving the cursor back over a line, the
    // single-character CSI (as UTF-8 and as a lone byte), and the byte that rings the bell.
    EXPECT_EQ(TerminalSafeText("/srv/\x1b[2J\x1b]0;owned\x07"), "/srv/\\x1B[2J\\x1B]0;owned\\x07");
    EXPECT_EQ(TerminalSafeText("a\rb\nc\td\x7f"), "a\\x0Db\\x0Ac\\x09d\\x7F");
    EXPECT_EQ(TerminalSafeText("/x\xc2\x9b"
                               "31m/\x9b"
                               "0m"),
              "/x\\xC2\\x9B31m/\\x9B0m");
    // Text that is printable passes unchanged, whatever its script; stray bytes are shown.
    EXPECT_EQ(TerminalSafeText("/home/ärger/日本"), "/home/ärger/日本");
    EXPECT_EQ(TerminalSafeText("caf\xe9"), "caf\\xE9");
    EXPECT_EQ(TerminalSafeText(""), "");
}

}  // namespace
}  // namespace quorvane::cli
