#include "results/text_matcher.h"

#include "text/lower_case.h"

namespace quorvane {

TextMatcher::TextMatcher(std::string_view text) {
    AppendLowerCase(text, lowerText_);
    lowerEntry_.reserve(256);
}

bool TextMatcher::contains(std::string_view entry) {
    // Both sides are lowered to UTF-8 by the same rule, and a valid UTF-8 text can only match
    // at a character boundary of another, so a byte search finds exactly the character matches.
    lowerEntry_.clear();
    AppendLowerCase(entry, lowerEntry_);
    return std::string_view(lowerEntry_).find(lowerText_) != std::string_view::npos;
}

}  // namespace quorvane
