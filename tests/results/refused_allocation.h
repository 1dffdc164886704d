#pragma once

namespace quorvane::test {

// While one lives, the `nth` allocation from now on (operator new, 1 for the next) fails with
// std::bad_alloc, as a system that runs out of memory would refuse it; the others go through.
// The test program that links refused_allocation.cpp takes operator new and delete from it.
class RefusedAllocation {
  public:
    explicit RefusedAllocation(long nth);
    ~RefusedAllocation();
    RefusedAllocation(const RefusedAllocation&) = delete;
    RefusedAllocation& operator=(const RefusedAllocation&) = delete;

    // Whether the allocation was asked for, and refused.
    bool refused() const;
};

}  // namespace quorvane::test
