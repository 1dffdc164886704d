#pragma once

#include <chrono>
#include <cstdint>

namespace quorvane {

// Tells whether the walk's reads wait on the file system, as on a disk read for the first
// time, rather than find the folders in memory: only then do readers ahead of the walk pay.
//
// A read counts as a wait when the call took long and the thread slept during it (a voluntary
// context switch, on Linux), so a large folder read from memory, or the thread losing its core
// to another, is no wait. Only the slow calls cost the extra question to the system.
class WaitMeter {
  public:
    WaitMeter();

    // Around one call to the file system.
    void begin() { start_ = Clock::now(); }
    void end() {
        if (Clock::now() - start_ > kSlow) checkSlowCall();
    }

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

    void checkSlowCall();

    Clock::time_point start_;
    std::int64_t sleeps_ = 0;  // the thread's voluntary context switches when last asked
    unsigned waits_ = 0;
};

}  // namespace quorvane
