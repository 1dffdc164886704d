#include "results/result_filters.h"

#include <vector>

#include "results/list_scan.h"
#include "results/text_matcher.h"

namespace quorvane {

namespace {

size_t removeResults(PathList& list, std::string_view text, ResultFilter filter, YieldHook* hook) {
    const std::vector<bool> remove = ResultsToRemove(list, text, filter, hook);
    // No yield since the last read, so the indexes still name the entries scanned; entries
    // appended during the scan lie past them and stay.
    return list.removeIf([&remove](size_t i) { return i < remove.size() && remove[i]; });
}

}  // namespace

std::vector<bool> ResultsToRemove(const PathList& list, std::string_view text, ResultFilter filter,
                                  YieldHook* hook) {
    const bool removeMatching = filter == ResultFilter::Containing;
    TextMatcher matcher(text);
    ListScan scan(list, hook);
    std::vector<bool> remove(scan.count());
    for (size_t i = 1; i <= scan.count(); ++i) {
        remove[i - 1] = matcher.contains(scan.next(i)) == removeMatching;
    }
    return remove;
}

size_t RemoveResultsContaining(PathList& list, std::string_view text, YieldHook* hook) {
    return removeResults(list, text, ResultFilter::Containing, hook);
}

size_t RemoveResultsNotContaining(PathList& list, std::string_view text, YieldHook* hook) {
    return removeResults(list, text, ResultFilter::NotContaining, hook);
}

}  // namespace quorvane
