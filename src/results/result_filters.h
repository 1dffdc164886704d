#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "base/yield_hook.h"
#include "results/entry_source.h"
#include "results/folder_list.h"

namespace quorvane {

// The two filters of the results list: remove the entries containing a text, or those not
// containing it. The match is TextMatcher's: a plain substring, letter case ignored.
enum class ResultFilter { Containing, NotContaining };

// Scans the entries that the list holds when it is called, letting the window run once before
// each one, and then removes the chosen entries in one compacting pass; `removed` is how many
// it removed. ListChanged when entries are removed while the scan lets the window run; the
// list then keeps everything the others left in it.
Status RemoveResults(FolderList& list, std::string_view text, ResultFilter filter, YieldHook* hook,
                     size_t& removed);
// Without a hook nothing can change the list during the scan, so nothing fails.
size_t RemoveResultsContaining(FolderList& list, std::string_view text);
size_t RemoveResultsNotContaining(FolderList& list, std::string_view text);

// The scan of either filter without the removal, for a list whose owner removes entries
// itself (the window's list model, which must tell its views): true at the 0-based position of
// each entry that the filter would remove. Same yields, same failure. No yield follows the last
// read, so the positions still hold when the caller removes at once.
Status ResultsToRemove(const EntrySource& list, std::string_view text, ResultFilter filter,
                       YieldHook* hook, std::vector<bool>& remove);

}  // namespace quorvane
