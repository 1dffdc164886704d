#pragma once

#include <functional>

#include "base/yield_hook.h"

namespace quorvane::testing {

// Stands in for the window's event loop: runs `action` with the number of the yield (from 1),
// as another command would run while a long loop lets the window handle its events.
class ScriptedYield : public YieldHook {
  public:
    explicit ScriptedYield(std::function<void(int)> action) : action_(std::move(action)) {}
    void yield() override { action_(++count_); }
    int count() const { return count_; }

  private:
    std::function<void(int)> action_;
    int count_ = 0;
};

}  // namespace quorvane::testing
