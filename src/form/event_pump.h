#pragma once

namespace quorvane {

// The window's event loop as long commands see it: one pass lets every pending window event
// run (clicks, paints, a close), then returns.
class EventPump {
  public:
    virtual ~EventPump() = default;
    virtual void processEvents() = 0;
    // A pass that first sleeps until an event comes or wake() is called, for a command whose
    // work goes on on another thread and has nothing new for the window.
    virtual void waitForEvents() = 0;
    // From any thread: ends the sleep of a waitForEvents() under way, or of the next one.
    virtual void wake() = 0;
};

}  // namespace quorvane
