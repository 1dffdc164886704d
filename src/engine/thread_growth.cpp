#include "engine/thread_growth.h"

#include <algorithm>

namespace quorvane {

ThreadGrowth::ThreadGrowth(unsigned start, unsigned most)
    : start_(start), most_(std::max(start, most)), wanted_(start) {}

unsigned ThreadGrowth::decide(const Totals& now) {
    const double seconds = now.seconds - last_.seconds;
    if (seconds <= 0) return wanted_;
    const double rate = static_cast<double>(now.folders - last_.folders) / seconds;
    const std::uint64_t waits = now.waited - last_.waited;
    const std::uint64_t reports = now.reports - last_.reports;
    last_ = now;

    if (before_ != 0) {
        if (rate >= kGainThatCounts * rateBefore_) {
            nextPause_ = kFirstPause;
        } else {
            wanted_ = before_;
            pause_ = nextPause_;
            nextPause_ = std::min(2 * nextPause_, kLongestPause);
        }
        before_ = 0;
        return wanted_;
    }
    quiet_ = waits < kWaitsThatCount ? quiet_ + 1 : 0;
    if (quiet_ >= kQuietPeriods && wanted_ > start_) {
        // The rest of the tree is in memory: the threads beyond one per core only cost.
        wanted_ = start_;
        pause_ = 0;
        nextPause_ = kFirstPause;
        return wanted_;
    }
    if (pause_ > 0) {
        --pause_;
        return wanted_;
    }
    if (waits >= kWaitsThatCount && wanted_ < most_) {
        before_ = wanted_;
        rateBefore_ = rate;
        wanted_ = std::min(most_, (2 * waits >= reports ? 4 : 2) * wanted_);
    }
    return wanted_;
}

}  // namespace quorvane
