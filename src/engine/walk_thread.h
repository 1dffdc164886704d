#pragma once

#include <functional>
#include <memory>

#include "base/status.h"

namespace quorvane {

// A helper thread of the walk, on a small stack: a walk needs little (its buffers are on the
// heap), and a walk may start dozens of threads, whose default stacks (8 MiB each on Linux)
// would eat the address space a memory limit leaves. walk_thread_posix.cpp and
// walk_thread_windows.cpp implement it.
class WalkThread {
  public:
    // How many more walk threads the process can afford: where its address space is limited
    // (ulimit -v), helpers take at most a quarter of what is left, so that the calling thread
    // never runs short because of them.
    static unsigned Affordable();
    // The cores this process may run on.
    static unsigned Cores();

    WalkThread();
    ~WalkThread();  // waits for the work to end, if it was started
    WalkThread(WalkThread&&) noexcept;
    WalkThread& operator=(WalkThread&&) = delete;
    WalkThread(const WalkThread&) = delete;
    WalkThread& operator=(const WalkThread&) = delete;

    // Starts `work` on the thread; fails when the system has no thread to give.
    Status start(std::function<void()> work);

  private:
    struct Running;
    std::unique_ptr<Running> running_;
};

// Puts the calling thread below the others of the process in the scheduler's eyes: the walk of
// a window's run calls it on each of its threads, so that the window's thread, which only
// shows what they find, never waits for a core behind them.
void LowerThisThreadsPriority();

}  // namespace quorvane
