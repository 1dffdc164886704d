#include "engine/thread_growth.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace quorvane::test {
namespace {

// A walk as ThreadGrowth sees it, period by period: the folders it reads a second with so many
// threads, and how many of the period's hundred reports of its threads had reads that waited.
struct PlayedWalk {
    std::function<double(unsigned threads)> rate;
    std::function<unsigned(int period)> waits;
};

// The threads wanted after each of `periods` periods.
std::vector<unsigned> Play(const PlayedWalk& walk, unsigned start, unsigned most, int periods) {
    ThreadGrowth growth(start, most);
    ThreadGrowth::Totals totals;
    std::vector<unsigned> wanted;
    for (int period = 0; period < periods; ++period) {
        totals.seconds += ThreadGrowth::kPeriodSeconds;
        totals.folders +=
            static_cast<std::uint64_t>(walk.rate(growth.wanted()) * ThreadGrowth::kPeriodSeconds);
        totals.reports += 100;
        totals.waited += walk.waits(period);
        wanted.push_back(growth.decide(totals));
    }
    return wanted;
}

const auto kNoWaits = [](int) { return 0u; };
const auto kWaitsAlways = [](int) { return 100u; };  // a disk read for the first time
const auto kSomeWaits = [](int) { return 10u; };

TEST(ThreadGrowth, TreeInMemoryKeepsOneThreadPerCore) {
    // However much more threads would seem to read.
    const auto wanted = Play({[](unsigned n) { return 1000.0 * n; }, kNoWaits}, 2, 32, 50);
    EXPECT_EQ(wanted, std::vector<unsigned>(50, 2));
}

TEST(ThreadGrowth, WaitingReadsGrowOneStepAtATimeWhileEachStepPays) {
    // A disk that serves as many reads at once as it gets, up to 16. Each step is tried in one
    // period and kept in the next; 32 bought nothing over 16, so the walk is back at 16.
    const auto upTo16 = [](unsigned n) { return 1000.0 * std::min(n, 16u); };
    EXPECT_EQ(Play({upTo16, kSomeWaits}, 2, 32, 12),
              (std::vector<unsigned>{4, 4, 8, 8, 16, 16, 32, 16, 16, 16, 16, 16}));
    // Where nearly every read waits the steps are of four times the threads.
    const auto upTo8 = [](unsigned n) { return 1000.0 * std::min(n, 8u); };
    EXPECT_EQ(Play({upTo8, kWaitsAlways}, 2, 32, 10),
              (std::vector<unsigned>{8, 8, 32, 8, 8, 8, 8, 8, 8, 32}));
}

TEST(ThreadGrowth, StepThatBuysNothingIsTriedAgainOnlyAfterLongerPauses) {
    const auto wanted = Play({[](unsigned) { return 5000.0; }, kWaitsAlways}, 2, 32, 40);
    std::vector<int> tries;
    for (int period = 0; period < 40; ++period) {
        if (wanted[static_cast<size_t>(period)] > 2) tries.push_back(period);
    }
    // Tried at once, then after 5 periods, after 10 and after 20.
    EXPECT_EQ(tries, (std::vector<int>{0, 7, 19}));
}

TEST(ThreadGrowth, ReadsThatStopWaitingGoBackToTheFirstThreads) {
    const auto rate = [](unsigned n) { return 1000.0 * n; };
    const auto wanted = Play({rate, [](int period) { return period < 4 ? 50u : 0u; }}, 2, 32, 12);
    EXPECT_EQ(wanted[3], 32u);
    EXPECT_EQ(wanted.back(), 2u);
}

}  // namespace
}  // namespace quorvane::test
