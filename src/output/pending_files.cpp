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
#include <vector>
#endif

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

#ifndef _WIN32
// Every signal whose default action ends the process and that a handler can catch: those a
// user or a program sends (kill, Ctrl+C, Ctrl+\, a closed terminal or pipe, ulimit -t and
// -f, timers), the faults, and the real-time signals.
std::vector<int> EndingSignals() {
    std::vector<int> signals = {
        SIGHUP,    SIGINT,  SIGQUIT,   SIGILL,  SIGTRAP, SIGABRT, SIGBUS,
        SIGFPE,    SIGUSR1, SIGSEGV,   SIGUSR2, SIGPIPE, SIGALRM, SIGTERM,
        SIGXCPU,   SIGXFSZ, SIGVTALRM, SIGPROF, SIGIO,   SIGSYS,
#ifdef SIGSTKFLT
        SIGSTKFLT,
#endif
#ifdef SIGPWR
        SIGPWR,
#endif
    };
#ifdef SIGRTMIN
    for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal)
        signals.push_back(signal);
#endif
    return signals;
}

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
#ifdef _WIN32
            DeleteFileW(ToExtendedLengthPath(slot.path).c_str());
#else
            unlink(slot.path);
#endif
        }
        int registered = kRegistered;
        slot.state.compare_exchange_strong(registered, kRemoved);
    }
}

void RemovePendingFilesOnSignals() {
#ifndef _WIN32
    struct sigaction action {};
    action.sa_handler = RemoveThenEnd;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    for (const int signal : EndingSignals()) {
        // A signal ignored from the start stays ignored, and one that has a handler already (a
        // sanitizer's, for faults) keeps it.
        struct sigaction current {};
        if (sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL ||
            (current.sa_flags & SA_SIGINFO)) {
            continue;
        }
        sigaction(signal, &action, nullptr);
    }
#endif
}

}  // namespace quorvane
