#include <windows.h>

#include "form/memory_reserve.h"

namespace quorvane {

// Committed, so that it counts against the system's commit limit, which is what runs out.
void* MapUntouchedMemory(size_t bytes) {
    return VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void UnmapUntouchedMemory(void* memory, size_t) {
    VirtualFree(memory, 0, MEM_RELEASE);
}

}  // namespace quorvane
