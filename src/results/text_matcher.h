#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// Whether an entry contains a text, as the filters of the results list ask it: a plain
// substring search on both texts in lower case. Blanks, separators, '*' and '?' are ordinary
// characters. An empty text is contained in every entry.
//
// Keeps its buffers between calls, so testing a million entries allocates nothing per entry;
// for that reason one matcher serves one thread.
class TextMatcher {
  public:
    explicit TextMatcher(std::string_view text);

    bool contains(std::string_view entry);
    // The same answer, for entries read in a row whose first `shared` bytes are those of the
    // entry asked about before and end where a name ends (see EntryReader): only the bytes
    // after them are lowered and searched again.
    bool contains(std::string_view entry, size_t shared);

  private:
    // How far an entry was lowered and searched: up to a separator or its end.
    struct Mark {
        size_t raw;      // bytes of the entry
        size_t lowered;  // bytes of lowerEntry_
        bool found;      // within them
    };

    std::string lowerText_;
    std::string lowerEntry_;
    std::vector<Mark> marks_;  // of the entry asked about last, from its start
};

}  // namespace quorvane
