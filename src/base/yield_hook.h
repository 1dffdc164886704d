#pragma once

namespace quorvane {

// Called by long loops at each point where they let the window handle its pending events.
// The window decides what a yield does; the command-line tool passes none.
class YieldHook {
  public:
    virtual ~YieldHook() = default;
    virtual void yield() = 0;
};

inline void yieldTo(YieldHook* hook) {
    if (hook) hook->yield();
}

}  // namespace quorvane
