#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

#include "base/status.h"
#include "base/yield_hook.h"
#include "engine/folder_sink.h"

namespace quorvane {

// A window's run as its two threads see it. The walk runs on a thread of its own and hands
// each folder here (the sink and the yield hook of the walk); the window's thread takes the
// folders in batches, in the walk's order, and appends them between two passes of its event
// loop, so it never waits for a disk or a core, nor for a lock longer than it takes to pass a
// batch.
//
// A batch goes to the window's thread once it holds kBatchBytes, or at the walk's first yield
// or entry kHandOnAfter after the last one went; the window's thread is woken only when it may be
// waiting for one. Batches not yet taken are bounded (kMostQueued): past the bound the walk
// waits for the window's thread. Once stopped, the feed takes nothing more and the walk ends at
// its next step: what was taken is exactly the beginning of the whole list.
class RunFeed : public FolderSink, public YieldHook {
  public:
    // Entries, each ended by a NUL, which no path holds.
    struct Batch {
        std::string entries;
        size_t next = 0;  // where the window's thread goes on

        bool empty() const { return next >= entries.size(); }
        std::string_view take();
    };

    // `wake` makes the window's thread look, from the walk's thread.
    explicit RunFeed(std::function<void()> wake) : wake_(std::move(wake)) {}

    // The walk's thread.
    void append(const ListedFolder& folder) override;
    bool stopped() const override { return stopped_.load(std::memory_order_relaxed); }
    void yield() override;
    // The walk has ended, as `status` says: what is left goes on, and the window's thread is
    // woken.
    void finish(Status status);

    // The window's thread.
    // The next batch, replacing `batch`; false when none is there yet.
    bool take(Batch& batch);
    // Whether a batch is there to take.
    bool hasBatches();
    // Whether the walk has ended and every batch was taken.
    bool ended();
    Status status();
    // The user asked the run to stop.
    void stop();

    static constexpr size_t kBatchBytes = size_t{64} << 10;
    static constexpr size_t kMostQueued = size_t{4} << 20;
    static constexpr std::chrono::milliseconds kHandOnAfter{10};

  private:
    void handOn();

    std::function<void()> wake_;
    std::atomic<bool> stopped_{false};

    // The walk's thread's own.
    std::string filling_;
    std::chrono::steady_clock::time_point lastHandedOn_ = std::chrono::steady_clock::now();
    unsigned yieldsUntilLook_ = 0;

    std::mutex mutex_;
    std::condition_variable roomMade_;
    std::deque<std::string> queue_;
    size_t queuedBytes_ = 0;
    bool finished_ = false;
    Status status_;
};

}  // namespace quorvane
