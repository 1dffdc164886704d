#pragma once

#include <cstddef>

namespace quorvane {

// What a view of the results list hears of its changes, each change announced before it is
// made and confirmed after, as list models of toolkits want it. Rows count from 0.
class ResultsListObserver {
  public:
    virtual ~ResultsListObserver() = default;
    virtual void columnAdding(int /*column*/) {}
    virtual void columnAdded() {}
    // Rows `first` to `last` (inclusive) appear at the end.
    virtual void rowsAppending(size_t /*first*/, size_t /*last*/) {}
    virtual void rowsAppended() {}
    virtual void rowRemoving(size_t /*row*/) {}
    virtual void rowRemoved() {}
    // Anything may change: every row, the count.
    virtual void resetting() {}
    virtual void reset() {}
};

}  // namespace quorvane
