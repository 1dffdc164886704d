#pragma once

#include <cstddef>

namespace quorvane {

// Memory set aside for the report of a failure. Where memory has run out, building the
// report's text and showing its box would be refused too, and the window would end instead of
// telling; the error trap gives this memory back to the system just before it reports, so the
// report has room, and takes it again afterwards. The window's thread alone uses it. The
// memory is reserved address space and commit, never touched, so it costs no memory in use.
// Platform: memory_reserve_posix.cpp (mmap), memory_reserve_windows.cpp (VirtualAlloc).

// What a report needs at most: its text, its box and the box's picture.
inline constexpr size_t kMemoryReserveBytes = size_t{8} << 20;

// Sets kMemoryReserveBytes aside unless it is held already; true when it is held. Where there
// is no room, nothing is held, and the next call tries again.
bool KeepMemoryReserve();
// Gives the reserve back to the system.
void ReleaseMemoryReserve();
bool MemoryReserveHeld();

// The platform's part: address space and commit of `bytes`, untouched, or null where there is
// no room; and giving it back.
void* MapUntouchedMemory(size_t bytes);
void UnmapUntouchedMemory(void* memory, size_t bytes);

}  // namespace quorvane
