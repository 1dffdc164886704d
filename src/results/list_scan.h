#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "base/status.h"
#include "base/yield_hook.h"
#include "results/entry_source.h"

namespace quorvane {

// One pass over the results list that lets the window run before each entry, as every long
// loop over the list does. The count is taken once, when the scan is made: entries appended
// meanwhile are not looked at. Removals are another matter: once any entry has been removed
// (or the list cleared or replaced) an index no longer names the entry it named when the scan
// began, so every later read fails, even where the list has grown back past that index.
class ListScan {
  public:
    ListScan(const EntrySource& list, YieldHook* hook)
        : list_(list),
          reader_(list.reader()),
          hook_(hook),
          count_(list.size()),
          removals_(list.removalCount()) {}

    size_t count() const { return count_; }

    // Lets the window run, then gives entry `index` (1 to count()), valid until the next call.
    // ListChanged when the list has lost entries since the scan began. `shared` is as
    // EntryReader::read gives it.
    Status next(size_t index, std::string_view& entry, size_t& shared);
    Status next(size_t index, std::string_view& entry) {
        size_t shared = 0;
        return next(index, entry, shared);
    }

  private:
    const EntrySource& list_;
    std::unique_ptr<EntryReader> reader_;
    YieldHook* hook_;
    size_t count_;
    std::uint64_t removals_;
};

}  // namespace quorvane
