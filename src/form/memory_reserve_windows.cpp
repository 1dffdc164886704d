#include <windows.h>

#include "form/memory_reserve.h"

namespace quorvane {

namespace {

void* reserve = nullptr;

}  // namespace

bool KeepMemoryReserve() {
    if (reserve) return true;
    // Committed, so that it counts against the system's commit limit, which is what runs out.
    reserve = VirtualAlloc(nullptr, kMemoryReserveBytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    return reserve != nullptr;
}

void ReleaseMemoryReserve() {
    if (reserve) VirtualFree(reserve, 0, MEM_RELEASE);
    reserve = nullptr;
}

bool MemoryReserveHeld() {
    return reserve != nullptr;
}

}  // namespace quorvane
