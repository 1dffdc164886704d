#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "engine/yield_hook.h"
#include "results/path_list.h"

namespace quorvane {

// The two filters of the results list. Each scans the entries that the list holds when it is
// called, letting the window run once before each one, and then removes the chosen entries in
// one compacting pass; it returns how many it removed. The match is TextMatcher's: a plain
// substring, letter case ignored.
//
// When entries are removed while the scan lets the window run, the scan throws
// RunTimeError::indexOutOfBounds and the list keeps everything the others left in it.
size_t RemoveResultsContaining(PathList& list, std::string_view text, YieldHook* hook = nullptr);
size_t RemoveResultsNotContaining(PathList& list, std::string_view text, YieldHook* hook = nullptr);

// The scan of either filter without the removal, for a list whose owner removes entries
// itself (the window's list model, which must tell its views): true at the 0-based position of
// each entry that the filter would remove. Same yields, same failure. No yield follows the last
// read, so the positions still hold when the caller removes at once.
enum class ResultFilter { Containing, NotContaining };
std::vector<bool> ResultsToRemove(const PathList& list, std::string_view text, ResultFilter filter,
                                  YieldHook* hook = nullptr);

}  // namespace quorvane
