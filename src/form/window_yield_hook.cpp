#include "form/window_yield_hook.h"

namespace quorvane {

WindowYieldHook::WindowYieldHook(EventPump& events, std::function<void()> beforeEvents,
                                 int interval)
    : events_(events), beforeEvents_(std::move(beforeEvents)), interval_(interval) {}

void WindowYieldHook::yield() {
    if (lastPassEnd_ && std::chrono::steady_clock::now() - *lastPassEnd_ < interval_) return;
    yieldNow();
}

void WindowYieldHook::yieldNow() {
    if (beforeEvents_) beforeEvents_();
    ++passes_;
    events_.processEvents();
    if (afterEvents_) afterEvents_();
    // Timed from the end of the pass: a pass that ran a long handler still leaves the work a
    // full interval before the next one.
    lastPassEnd_ = std::chrono::steady_clock::now();
}

}  // namespace quorvane
