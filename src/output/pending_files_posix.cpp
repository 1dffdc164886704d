#include "output/pending_files.h"

#include <unistd.h>

#include <csignal>
#include <vector>

namespace quorvane {

namespace {

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

}  // namespace

void RemovePendingPath(const char* path) {
    unlink(path);
}

void RemovePendingFilesOnSignals() {
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
}

}  // namespace quorvane
