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

void WaitMeter::begin() {
    sleepsAtStart_ = watching_ ? voluntarySwitches() : -1;
    start_ = Clock::now();
}

void WaitMeter::end() {
    const bool slow = Clock::now() - start_ > kSlow;
    if (slow && watching_) {
        const std::int64_t sleeps = voluntarySwitches();
        if (sleeps < 0 || sleepsAtStart_ < 0 || sleeps > sleepsAtStart_) ++waits_;
    }
    watching_ = slow;
}

}  // namespace quorvane
