#include "cli/usage_text.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane::cli {
namespace {

// The lines of --help come from the table of options: a text beside its option from the 20th
// column on, or below it when the option is too long, then the option's other names; the
// options --help does not list are left out.
TEST(UsageText, OptionsAreLaidOutInTwoColumnsFromTheTable) {
    const std::string text = UsageText();
    for (const char* lines : {
             "\n  -d, --depth N    levels 1 to N below FOLDER (default: every level)\n"
             "                   also --max-depth, -maxdepth\n",
             "\n  --min-depth N    leave out the levels above N, which are still walked; with\n"
             "                   --depth M, levels N to M\n",
             "\n  -0, --null       end each entry with a NUL byte (names may hold line breaks)\n",
             "\n  --sort[=name|natural]\n"
             "                   each folder's own subfolders in the byte order of their names,\n",
             "\n  -o, --output FILE  write to FILE, replaced only once the list is complete\n",
             "\n  --help           show this help\n  --version        show the version\n\n",
         }) {
        EXPECT_NE(text.find(lines), std::string::npos) << lines;
    }
    EXPECT_EQ(text.find("-h,"), std::string::npos);
    EXPECT_TRUE(ShortUsageText().starts_with(text.substr(0, text.find("Lists"))));
}

}  // namespace
}  // namespace quorvane::cli
