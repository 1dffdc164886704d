#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// Whether an entry contains a text, as the filters of the results list ask it: a plain
// substring search on both texts in lower case. Blanks, separators, '*' and '?' are ordinary
// characters. An empty text is contained in every entry.
//
// Keeps its buffer between calls, so testing a million entries allocates nothing per entry;
// for that reason one matcher serves one thread.
class TextMatcher {
  public:
    explicit TextMatcher(std::string_view text);

    bool contains(std::string_view entry);

  private:
    std::string lowerText_;
    std::string lowerEntry_;
};

}  // namespace quorvane
