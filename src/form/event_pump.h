#pragma once

namespace quorvane {

// The window's event loop as long commands see it: one pass lets every pending window event
// run (clicks, paints, a close), then returns.
class EventPump {
  public:
    virtual ~EventPump() = default;
    virtual void processEvents() = 0;
};

}  // namespace quorvane
