#include "form/memory_reserve.h"

namespace quorvane {

namespace {

void* reserve = nullptr;

}  // namespace

bool KeepMemoryReserve() {
    if (!reserve) reserve = MapUntouchedMemory(kMemoryReserveBytes);
    return reserve != nullptr;
}

void ReleaseMemoryReserve() {
    if (reserve) UnmapUntouchedMemory(reserve, kMemoryReserveBytes);
    reserve = nullptr;
}

bool MemoryReserveHeld() {
    return reserve != nullptr;
}

}  // namespace quorvane
