#pragma once

#include <cstdint>
#include <string_view>

#include "engine/status.h"
#include "engine/yield_hook.h"
#include "results/path_list.h"

namespace quorvane {

// One pass over the results list that lets the window run before each entry, as every long
// loop over the list does. The count is taken once, when the scan is made: entries appended
// meanwhile are not looked at. Removals are another matter: once any entry has been removed
// (or the list cleared or replaced) an index no longer names the entry it named when the scan
// began, so every later read fails, even where the list has grown back past that index.
class ListScan {
  public:
    ListScan(const PathList& list, YieldHook* hook)
        : list_(list), hook_(hook), count_(list.size()), removals_(list.removalCount()) {}

    size_t count() const { return count_; }

    // Lets the window run, then gives entry `index` (1 to count()). ListChanged when the list
    // has lost entries since the scan began.
    Status next(size_t index, std::string_view& entry);

  private:
    const PathList& list_;
    YieldHook* hook_;
    size_t count_;
    std::uint64_t removals_;
};

}  // namespace quorvane
