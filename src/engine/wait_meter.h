#pragma once

#include <chrono>
#include <cstdint>

namespace quorvane {

// Tells whether the walk's reads wait on the file system, as on a disk read for the first
// time, rather than find the folders in memory: only then do more threads than cores pay.
//
// A read counts as a wait when the call took long and the thread slept during that very call
// (a voluntary context switch, on Linux): a large folder read from memory, or the thread losing
// its core to another, is no wait, and neither is a sleep elsewhere between two reads. Asking
// the system for the thread's sleeps costs a call, so it is asked only around a read that
// follows a slow one: a first slow read only makes the meter look closely at the next.
class WaitMeter {
  public:
    // Around one call to the file system.
    void begin();
    void end();

    // The waits counted since the last call.
    unsigned takeWaits() {
        const unsigned waits = waits_;
        waits_ = 0;
        return waits;
    }

  private:
    using Clock = std::chrono::steady_clock;
    // A folder's first block read from memory takes a few microseconds, from a disk a tenth of
    // a millisecond or more.
    static constexpr std::chrono::microseconds kSlow{50};

    // The calling thread's voluntary context switches so far, or -1 where the system does not
    // count them. Platform: wait_meter_posix.cpp, wait_meter_windows.cpp.
    static std::int64_t voluntarySwitches();

    Clock::time_point start_;
    bool watching_ = false;            // the last call was slow: this one is measured closely
    std::int64_t sleepsAtStart_ = -1;  // the thread's voluntary switches as this call began
    unsigned waits_ = 0;
};

}  // namespace quorvane
