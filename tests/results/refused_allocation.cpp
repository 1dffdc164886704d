#include "refused_allocation.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Allocations left before the refused one, while a RefusedAllocation lives; else negative.
std::atomic<long> untilRefused{-1};
std::atomic<bool> wasRefused{false};

void* Allocate(std::size_t size) {
    if (untilRefused.load(std::memory_order_relaxed) >= 0 && untilRefused.fetch_sub(1) == 1) {
        wasRefused = true;
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}

}  // namespace

namespace quorvane::test {

RefusedAllocation::RefusedAllocation(long nth) {
    wasRefused = false;
    untilRefused = nth;
}

RefusedAllocation::~RefusedAllocation() {
    untilRefused = -1;
}

bool RefusedAllocation::refused() const {
    return wasRefused;
}

}  // namespace quorvane::test

// Every form goes through malloc and free, so that the sanitizers see them matched.
void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}
