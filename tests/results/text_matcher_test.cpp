#include "results/text_matcher.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/path_rules.h"
#include "results/folder_list.h"

namespace quorvane {
namespace {

TEST(TextMatcher, EntriesReadInARowGetTheAnswerOfEntriesAskedAlone) {
    // Names from bytes that lower to other lengths ("Ä", "ẞ"), stray bytes, and blanks, so that
    // matches lie across names, across separators and inside characters.
    const std::vector<std::string> pieces = {"a", "A",    "Ä",    "ä", "ẞ",
                                             "ß", "\xff", "\xc3", " ", "b"};
    std::mt19937 random(7);
    FolderList list;
    std::string last;
    for (int i = 0; i < 4000; ++i) {
        // Mostly a walk's order: the path before, less some names, plus some.
        std::string path = last;
        for (int up = static_cast<int>(random() % 3); up > 0 && !path.empty(); --up)
            path.resize(path.rfind(kSeparator) == std::string::npos ? 0 : path.rfind(kSeparator));
        for (int down = static_cast<int>(random() % 3); down > 0; --down) {
            path += kSeparator;
            for (int n = static_cast<int>(random() % 3); n > 0; --n)
                path += pieces[random() % pieces.size()];
        }
        list.append(path);
        last = path;
    }
    const std::string sep(1, kSeparator);
    for (const std::string& text :
         {std::string("a"), std::string("ä"), std::string("ẞ"), "a" + sep + "b", sep + sep,
          std::string("\xff"), std::string(" a"), std::string()}) {
        SCOPED_TRACE(text);
        TextMatcher inARow(text);
        TextMatcher alone(text);
        const std::unique_ptr<EntryReader> reader = list.reader();
        size_t shared = 0;
        for (size_t i = 0; i < list.size(); ++i) {
            const std::string_view entry = reader->read(i, shared);
            ASSERT_EQ(inARow.contains(entry, shared), alone.contains(entry)) << "entry " << i;
        }
    }
}

}  // namespace
}  // namespace quorvane
