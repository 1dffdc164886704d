#pragma once

#include <functional>
#include <memory>

#include "engine/status.h"

namespace quorvane {

// A thread for a reader ahead of the walk, on a small stack: readers need little, and a walk
// may start dozens of them, whose default stacks (8 MiB each on Linux) would eat the address
// space a memory limit leaves.
class ReaderThread {
  public:
    // How many more reader threads the process can afford: where its address space is limited
    // (ulimit -v), readers take at most a quarter of what is left, so that the walk itself
    // never runs short because of them.
    static unsigned Affordable();

    ReaderThread();
    ~ReaderThread();  // waits for the work to end, if it was started
    ReaderThread(ReaderThread&&) noexcept;
    ReaderThread& operator=(ReaderThread&&) = delete;
    ReaderThread(const ReaderThread&) = delete;
    ReaderThread& operator=(const ReaderThread&) = delete;

    // Starts `work` on the thread; fails when the system has no thread to give.
    Status start(std::function<void()> work);

  private:
    struct Running;
    std::unique_ptr<Running> running_;
};

}  // namespace quorvane
