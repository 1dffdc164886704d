#pragma once

#include <atomic>
#include <cstddef>

namespace quorvane {

// How many folders the threads of one walk keep open at once, counted across them. Past the
// limit each thread lets go of folders of its own chain (see FolderChain); the limit comes from
// the descriptors free as the walk starts, so files its caller holds are left room.
class DescriptorBudget {
  public:
    explicit DescriptorBudget(size_t limit) : limit_(limit) {}

    bool full() const { return held_.load(std::memory_order_relaxed) >= limit_; }
    void take() { held_.fetch_add(1, std::memory_order_relaxed); }
    void giveBack() { held_.fetch_sub(1, std::memory_order_relaxed); }

  private:
    std::atomic<size_t> held_{0};
    const size_t limit_;
};

}  // namespace quorvane
