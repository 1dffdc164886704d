#include "engine/wait_meter.h"

namespace quorvane {

void WaitMeter::begin() {
    if (!timed_) {
        if (blocksAtLast_ < 0) blocksAtLast_ = blocksRead();
        return;
    }
    // Asking for the thread's sleeps costs a call: only around a read that follows a slow one.
    sleepsAtStart_ = watching_ ? voluntarySwitches() : -1;
    start_ = Clock::now();
}

void WaitMeter::end() {
    if (!timed_) return;
    const bool slow = Clock::now() - start_ > kSlow;
    if (slow && watching_) {
        const std::int64_t sleeps = voluntarySwitches();
        if (sleeps < 0 || sleepsAtStart_ < 0 || sleeps > sleepsAtStart_) ++waits_;
    }
    watching_ = slow;
}

unsigned WaitMeter::takeWaits() {
    if (!timed_) {
        const std::int64_t blocks = blocksRead();
        if (blocks < 0) {
            timed_ = true;  // not counted here after all
        } else {
            waits_ += blocksAtLast_ >= 0 && blocks > blocksAtLast_;
            blocksAtLast_ = blocks;
        }
    }
    const unsigned waits = waits_;
    waits_ = 0;
    return waits;
}

}  // namespace quorvane
