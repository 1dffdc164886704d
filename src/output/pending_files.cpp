#include "output/pending_files.h"

#include <atomic>
#include <cstring>
#include <utility>

namespace quorvane {

namespace {

// Fixed slots, so that a signal handler can read them: a command writes one file at a time,
// and the window keeps the few workbooks it could not hand over.
constexpr int kSlots = 32;
// Longer paths cannot be opened on Linux at all; longer ones elsewhere go unregistered.
constexpr size_t kLongestPath = 4096;

// A slot goes from free to registered, and back when its owner forgets it; RemovePendingFiles
// takes a registered one to removed, which only its owner's forget() frees.
enum SlotState : int { kFree, kFilling, kRegistered, kRemoved };

struct Slot {
    std::atomic<int> state{kFree};
    char path[kLongestPath];
};

Slot slots[kSlots];

static_assert(std::atomic<int>::is_always_lock_free, "signal handlers read the slots");

}  // namespace

PendingFile::PendingFile(const std::string& path) {
    if (path.size() >= kLongestPath) return;
    for (int i = 0; i < kSlots; ++i) {
        int expected = kFree;
        if (slots[i].state.compare_exchange_strong(expected, kFilling)) {
            std::memcpy(slots[i].path, path.c_str(), path.size() + 1);
            slots[i].state.store(kRegistered);
            slot_ = i;
            return;
        }
    }
}

PendingFile::PendingFile(PendingFile&& other) noexcept : slot_(std::exchange(other.slot_, -1)) {}

PendingFile& PendingFile::operator=(PendingFile&& other) noexcept {
    if (this != &other) {
        forget();
        slot_ = std::exchange(other.slot_, -1);
    }
    return *this;
}

bool PendingFile::removed() const {
    return slot_ >= 0 && slots[slot_].state.load() == kRemoved;
}

void PendingFile::forget() {
    if (slot_ >= 0) slots[slot_].state.store(kFree);
    slot_ = -1;
}

void RemovePendingFiles() {
    for (Slot& slot : slots) {
        if (slot.state.load() != kRegistered) continue;
        // A watch, of no path, has nothing to remove.
        if (slot.path[0] != '\0') {
            RemovePendingPath(slot.path);
        }
        int registered = kRegistered;
        slot.state.compare_exchange_strong(registered, kRemoved);
    }
}

}  // namespace quorvane
