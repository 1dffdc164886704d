#pragma once

#include <chrono>
#include <cstdint>

namespace quorvane {

// Tells whether one thread's reads of folders wait on a device, as on a disk read for the
// first time, rather than find the folders in memory: only then do more threads than cores
// pay.
//
// Where the system counts the blocks each thread reads from a device (Linux), a read waited
// when the thread's count grew: the count is asked once per takeWaits(), so a walk of a tree
// in memory costs one call per few dozen folders and never counts a wait, however slow its
// reads are for other reasons (a large folder, a lock in the kernel, a thread that lost its
// core). Elsewhere, and on network file systems, which read nothing from a device of this
// machine, a read counts as a wait when it took long and the thread slept during that very
// call (a voluntary context switch, where the system tells them).
class WaitMeter {
  public:
    // `timed`: tell waits by their time, as above.
    explicit WaitMeter(bool timed = true) : timed_(timed) {}

    // Around the first call to the file system of one read; only a timed meter looks.
    void begin();
    void end();

    // The waits since the last call.
    unsigned takeWaits();

  private:
    using Clock = std::chrono::steady_clock;
    // A folder's first block read from memory takes a few microseconds, from a disk a tenth of
    // a millisecond or more.
    static constexpr std::chrono::microseconds kSlow{50};

    // Platform: wait_meter_posix.cpp, wait_meter_windows.cpp. Each is -1 where the system
    // does not count it.
    // The blocks the calling thread has read from devices so far.
    static std::int64_t blocksRead();
    // The calling thread's voluntary context switches so far.
    static std::int64_t voluntarySwitches();

    bool timed_;
    std::int64_t blocksAtLast_ = -1;  // as the last takeWaits() found them
    Clock::time_point start_;
    bool watching_ = false;            // the last call was slow: this one is measured closely
    std::int64_t sleepsAtStart_ = -1;  // the thread's voluntary switches as this call began
    unsigned waits_ = 0;
};

}  // namespace quorvane
