#include "engine/wait_meter.h"

namespace quorvane {

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
