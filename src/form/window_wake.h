#pragma once

#include <mutex>

#include "form/event_pump.h"

namespace quorvane {

// The one way other threads reach the window: they wake its event loop (EventPump::wake) until
// the window goes, and from then on waking does nothing. A walk that still runs while the
// program ends, which takes the toolkit down first to hand copied text over, so never touches
// what is gone.
class WindowWake {
  public:
    explicit WindowWake(EventPump& events) : events_(&events) {}

    // Any thread.
    void wake() {
        std::lock_guard lock(mutex_);
        if (events_) events_->wake();
    }
    // The window's thread, as the window closes.
    void windowGone() {
        std::lock_guard lock(mutex_);
        events_ = nullptr;
    }

  private:
    std::mutex mutex_;
    EventPump* events_;
};

}  // namespace quorvane
