#pragma once

#include <cstdint>

namespace quorvane {

// How many threads a walk left to itself runs. It starts with one per core, which is all a
// tree in memory can use, and takes more only while its reads wait on a device: then more
// reads in flight hide the waits. It grows one step at a time, at most to `most`: twice the
// threads, or four times while most reads wait (a disk read for the first time, where a walk
// of a second would otherwise end before it had the threads), and keeps a step only when the
// folders read per second rose with it; a step that bought nothing is undone, and tried again
// only after a pause that doubles each time. Once the reads stop waiting for a while, it goes
// back to the threads it started with.
//
// The walk hands it, once per period, what it has counted since it started; plain arithmetic
// over those, so that tests can play any run at it.
class ThreadGrowth {
  public:
    // What the walk has counted since it started.
    struct Totals {
        double seconds = 0;
        std::uint64_t folders = 0;  // read
        std::uint64_t reports = 0;  // of its threads, each on a few dozen reads
        std::uint64_t waited = 0;   // reports whose reads waited on a device
    };

    // How long the walk runs between two decisions: long enough for new threads to be handed
    // work and show in the rate, short enough to reach many threads early in a cold walk.
    static constexpr double kPeriodSeconds = 0.1;

    ThreadGrowth(unsigned start, unsigned most);

    // At the end of a period: the threads wanted from now on.
    unsigned decide(const Totals& now);
    unsigned wanted() const { return wanted_; }

  private:
    // A step must raise the rate by this much to stay: less is the noise of a tree's shape.
    static constexpr double kGainThatCounts = 1.05;
    // Reports with waits in a period that make a step worth trying.
    static constexpr std::uint64_t kWaitsThatCount = 2;
    // Periods without waits after which the walk goes back to its first threads.
    static constexpr unsigned kQuietPeriods = 5;
    static constexpr unsigned kFirstPause = 5;
    static constexpr unsigned kLongestPause = 100;

    const unsigned start_;
    const unsigned most_;
    unsigned wanted_;
    Totals last_;
    unsigned before_ = 0;  // while a step is on trial: the threads before it, else 0
    double rateBefore_ = 0;
    unsigned pause_ = 0;  // periods left before the next step may be tried
    unsigned nextPause_ = kFirstPause;
    unsigned quiet_ = 0;  // periods in a row without waits
};

}  // namespace quorvane
