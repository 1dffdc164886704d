#include "output/pending_files.h"

#include <atomic>
#include <cstring>
#include <utility>

#ifdef _WIN32
#include <windows.h>

#include "engine/extended_length_path.h"
#else
#include <unistd.h>

#include <csignal>
#endif

namespace quorvane {

namespace {

// Fixed slots, so that a signal handler can read them: a command writes one file at a time,
// and the window keeps the few workbooks it could not hand over.
constexpr int kSlots = 32;
// Longer paths cannot be opened on Linux at all; longer ones elsewhere go unregistered.
constexpr size_t kLongestPath = 4096;

enum SlotState : int { kFree, kFilling, kRegistered };

struct Slot {
    std::atomic<int> state{kFree};
    char path[kLongestPath];
};

Slot slots[kSlots];

static_assert(std::atomic<int>::is_always_lock_free, "signal handlers read the slots");

#ifndef _WIN32
extern "C" void RemoveThenEnd(int signal) {
    RemovePendingFiles();
    // The action is the default again (SA_RESETHAND): raised once more, the signal ends the
    // process as soon as this handler returns.
    raise(signal);
}
#endif

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

void PendingFile::forget() {
    if (slot_ >= 0) slots[slot_].state.store(kFree);
    slot_ = -1;
}

void RemovePendingFiles() {
    for (Slot& slot : slots) {
        if (slot.state.load() != kRegistered) continue;
#ifdef _WIN32
        DeleteFileW(ToExtendedLengthPath(slot.path).c_str());
#else
        unlink(slot.path);
#endif
    }
}

void RemovePendingFilesOnSignals() {
#ifndef _WIN32
    struct sigaction action {};
    action.sa_handler = RemoveThenEnd;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
        struct sigaction current {};
        if (sigaction(signal, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) continue;
        sigaction(signal, &action, nullptr);
    }
#endif
}

}  // namespace quorvane
