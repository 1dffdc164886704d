#include "support/expected_walk.h"

namespace quorvane::test {

std::vector<std::string> ExpectedEntries(const std::string& root, int depth) {
    std::vector<std::string> entries = ExpectedWalk(root, depth);
    for (std::string& entry : entries)
        entry.pop_back();
    return entries;
}

std::string JoinEntries(const std::vector<std::string>& entries, const std::string& end) {
    std::string text;
    for (const std::string& entry : entries)
        text += entry + end;
    return text;
}

}  // namespace quorvane::test
