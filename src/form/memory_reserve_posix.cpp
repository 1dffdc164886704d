#include <sys/mman.h>

#include "form/memory_reserve.h"

namespace quorvane {

void* MapUntouchedMemory(size_t bytes) {
    void* mapped = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return mapped == MAP_FAILED ? nullptr : mapped;
}

void UnmapUntouchedMemory(void* memory, size_t bytes) {
    munmap(memory, bytes);
}

}  // namespace quorvane
