#include "results/result_filters.h"

#include "results/list_scan.h"
#include "results/text_matcher.h"

namespace quorvane {

Status ResultsToRemove(const EntrySource& list, std::string_view text, ResultFilter filter,
                       YieldHook* hook, std::vector<bool>& remove) {
    const bool removeMatching = filter == ResultFilter::Containing;
    TextMatcher matcher(text);
    ListScan scan(list, hook);
    remove.assign(scan.count(), false);
    std::string_view entry;
    size_t shared = 0;
    for (size_t i = 1; i <= scan.count(); ++i) {
        if (const Status status = scan.next(i, entry, shared); !status.ok()) {
            remove.clear();
            return status;
        }
        remove[i - 1] = matcher.contains(entry, shared) == removeMatching;
    }
    return {};
}

Status RemoveResults(FolderList& list, std::string_view text, ResultFilter filter, YieldHook* hook,
                     size_t& removed) {
    removed = 0;
    std::vector<bool> remove;
    if (const Status status = ResultsToRemove(list, text, filter, hook, remove); !status.ok()) {
        return status;
    }
    // No yield since the last read, so the indexes still name the entries scanned; entries
    // appended during the scan lie past them and stay.
    removed = list.removeMarked(remove);
    return {};
}

size_t RemoveResultsContaining(FolderList& list, std::string_view text) {
    size_t removed = 0;
    static_cast<void>(RemoveResults(list, text, ResultFilter::Containing, nullptr, removed));
    return removed;
}

size_t RemoveResultsNotContaining(FolderList& list, std::string_view text) {
    size_t removed = 0;
    static_cast<void>(RemoveResults(list, text, ResultFilter::NotContaining, nullptr, removed));
    return removed;
}

}  // namespace quorvane
