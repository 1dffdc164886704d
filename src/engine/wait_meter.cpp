#include "engine/wait_meter.h"

#if defined(__linux__)
#include <sys/resource.h>
#endif

namespace quorvane {

namespace {

#if defined(__linux__)
std::int64_t voluntarySwitches() {
    rusage usage{};
    if (getrusage(RUSAGE_THREAD, &usage) != 0) return -1;
    return usage.ru_nvcsw;
}
#else
// Where the system does not count a thread's sleeps, a slow call is taken for a wait.
std::int64_t voluntarySwitches() {
    return -1;
}
#endif

}  // namespace

WaitMeter::WaitMeter() : sleeps_(voluntarySwitches()) {}

void WaitMeter::checkSlowCall() {
    const std::int64_t sleeps = voluntarySwitches();
    if (sleeps < 0 || sleeps > sleeps_) ++waits_;
    sleeps_ = sleeps;
}

}  // namespace quorvane
