#include "results/text_matcher.h"

#include <algorithm>

#include "engine/path_rules.h"
#include "text/lower_case.h"

namespace quorvane {

TextMatcher::TextMatcher(std::string_view text) {
    AppendLowerCase(text, lowerText_);
    lowerEntry_.reserve(256);
}

bool TextMatcher::contains(std::string_view entry) {
    // Both sides are lowered to UTF-8 by the same rule, and a valid UTF-8 text can only match
    // at a character boundary of another, so a byte search finds exactly the character matches.
    marks_.clear();
    lowerEntry_.clear();
    AppendLowerCase(entry, lowerEntry_);
    return std::string_view(lowerEntry_).find(lowerText_) != std::string_view::npos;
}

bool TextMatcher::contains(std::string_view entry, size_t shared) {
    // Lowering goes a character at a time, so an entry lowered in parts that end before an
    // ASCII separator is lowered as a whole is; a match that ends in a part is found by
    // searching from the text's length before it.
    while (!marks_.empty() && marks_.back().raw > shared)
        marks_.pop_back();
    Mark at = marks_.empty() ? Mark{0, 0, false} : marks_.back();
    lowerEntry_.resize(at.lowered);
    while (at.raw < entry.size()) {
        const size_t separator = entry.find(kSeparator, at.raw + 1);
        const size_t end = separator == std::string_view::npos ? entry.size() : separator;
        AppendLowerCase(entry.substr(at.raw, end - at.raw), lowerEntry_);
        if (!at.found) {
            const size_t from = at.lowered - std::min(at.lowered, lowerText_.size());
            at.found =
                std::string_view(lowerEntry_).find(lowerText_, from) != std::string_view::npos;
        }
        at = {end, lowerEntry_.size(), at.found};
        marks_.push_back(at);
    }
    return at.found || lowerText_.empty();
}

}  // namespace quorvane
