#include <sys/mman.h>

#include "form/memory_reserve.h"

namespace quorvane {

namespace {

void* reserve = nullptr;

}  // namespace

bool KeepMemoryReserve() {
    if (reserve) return true;
    void* mapped = mmap(nullptr, kMemoryReserveBytes, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) return false;
    reserve = mapped;
    return true;
}

void ReleaseMemoryReserve() {
    if (reserve) munmap(reserve, kMemoryReserveBytes);
    reserve = nullptr;
}

bool MemoryReserveHeld() {
    return reserve != nullptr;
}

}  // namespace quorvane
