#pragma once

#include <cstddef>
#include <string_view>

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

}  // namespace quorvane
