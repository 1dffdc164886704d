#pragma once

#include <chrono>
#include <functional>
#include <optional>

#include "base/yield_hook.h"
#include "form/event_pump.h"

namespace quorvane {

// The window's answer to a long command's yields: it runs the event loop only when about
// `interval` milliseconds have passed since it last did, so the window answers within a frame
// while nearly all time goes to the work. `beforeEvents` runs just before each pass, for the
// work the window should show by then (a run publishes the entries it appended).
//
// Closing the window during a pass ends the program inside that pass (see Form1), so a
// command never continues after the user closed the window.
class WindowYieldHook : public YieldHook {
  public:
    static constexpr int kDefaultInterval = 15;

    explicit WindowYieldHook(EventPump& events, std::function<void()> beforeEvents = {},
                             int interval = kDefaultInterval);

    void yield() override;
    // Runs a pass now, whatever the time since the last one.
    void yieldNow();

    // Runs just after each pass.
    void setAfterEvents(std::function<void()> afterEvents) {
        afterEvents_ = std::move(afterEvents);
    }

    // How many passes of the event loop the hook has run.
    long passes() const { return passes_; }

  private:
    EventPump& events_;
    std::function<void()> beforeEvents_;
    std::function<void()> afterEvents_;
    std::chrono::milliseconds interval_;
    std::optional<std::chrono::steady_clock::time_point> lastPassEnd_;
    long passes_ = 0;
};

}  // namespace quorvane
