#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/descriptor_budget.h"
#include "engine/folder_reading.h"
#include "engine/folder_walk.h"
#include "engine/hand_out_policy.h"
#include "engine/thread_growth.h"
#include "engine/walk_job.h"
#include "engine/walk_output.h"
#include "engine/walk_task.h"
#include "engine/walk_thread.h"

namespace quorvane {

// A part of the list that a thread other than the one feeding the sink walks (a WalkTask): what
// it has written so far, in order, and where the rest will come from. Guarded by the team's
// lock, and kept in the team's list of segments (`self`) until one thread frees it:
//   Queued   the job that handed it out, when it takes the task back (WalkTeam::takeBack);
//            otherwise a thread takes its task and it is Walking;
//   Walking  nobody while it walks; the thread that walks it makes it Parked or Done, except
//            the calling thread's own part beside the list, which it frees when the list
//            reaches it and goes on with the rest straight to the sink;
//   Parked   the calling thread, when the list reaches it and it takes the rest (takeRest);
//   Done     the calling thread, once the list has taken its last part (release).
// The calling thread reaches a segment only through a job that found it no longer Queued, so
// it never sees one Queued.
struct Segment {
    struct Part {
        std::string records;        // as a RecordWriter wrote them
        Segment* nested = nullptr;  // or a part of this part, handed out in its turn
    };
    enum class State {
        Queued,   // its task waits for a thread
        Walking,  // a thread walks it
        Parked,   // its walk stopped part way: the thread feeding the sink walks the rest
        Done,
    };

    std::deque<Part> parts;
    State state = State::Queued;
    bool byCaller = false;              // walked by the thread that called the walk
    std::unique_ptr<WalkTask> task;     // while Queued
    std::unique_ptr<WalkJob> rest;      // while Parked
    std::list<Segment>::iterator self;  // its place among the team's segments
    // Near work (see hand_out_policy.h).
    bool near = false;
};

// The threads of one walk and the work they share. The thread that called the walk walks the
// target and feeds the sink; the others (helpers) wait until a walking thread hands them work,
// which a walking thread does only when one is idle, between two steps of its own: so handing
// out costs nothing while every thread is busy. What a helper walks goes into its task's
// segment, which the calling thread splices into the list when the list's order reaches it.
// When to hand out and when a part ahead of the list parks is the policy of
// hand_out_policy.h, over the bytes segments hold ahead of the list and the ahead limit.
class WalkTeam {
  public:
    struct Settings {
        unsigned threads = 1;      // to start with, the calling thread included
        unsigned mostThreads = 1;  // while reads keep waiting on the disk
        size_t aheadLimit = 0;     // bytes segments may hold ahead of the list (hand_out_policy.h)
        bool background = false;   // the helpers run below the other threads (a window's run)
        bool timedWaits = true;    // how the threads' meters tell waits (WaitMeter)
    };
    WalkTeam(const FolderReading& reading, DescriptorBudget& budget, Settings settings);
    ~WalkTeam();  // stops the helpers and waits for them
    WalkTeam(const WalkTeam&) = delete;
    WalkTeam& operator=(const WalkTeam&) = delete;

    const FolderReading& reading() const { return reading_; }
    DescriptorBudget& budget() { return budget_; }

    // Starts the helpers the settings ask for.
    void startHelpers();

    // Between two steps of a job, on every thread: what it does next (hand_out_policy.h),
    // from four atomic loads; and whether the walk is giving back what it holds.
    JobMove nextMove(JobPlace place) const {
        return NextMove(
            place, {idle_.load(std::memory_order_relaxed), queued_.load(std::memory_order_relaxed),
                    heldAhead_.load(std::memory_order_relaxed), aheadLimit_,
                    shortage_.load(std::memory_order_relaxed)});
    }
    bool givingBack() const { return givingBack_.load(std::memory_order_relaxed); }
    bool stopping() const { return stopping_.load(std::memory_order_relaxed); }
    // Whether the number of threads follows the reads' waits (ThreadGrowth): only then do the
    // threads meter their reads, and tell the team every kReadsPerReport of them.
    bool adapts() const { return mostThreads_ > startThreads_; }
    bool timedWaits() const { return timedWaits_; }
    static constexpr unsigned kReadsPerReport = 32;
    void noteReads(unsigned reads, unsigned waits);

    // For a walking thread.
    Segment* handOut(WalkTask task, bool near = false);
    // Takes a part back from the queue, if no thread has started it; the caller walks it.
    bool takeBack(Segment* segment);
    void publish(Segment* segment, std::string& records);
    void nest(Segment* segment, Segment* nested);
    void finish(Segment* segment);
    // `byHelper`: counted among the parks of WalkCounts, which are the helpers'.
    void park(Segment* segment, std::unique_ptr<WalkJob> rest, bool byHelper);
    // Not enough descriptors or memory: no more work is handed out, for the rest of the walk.
    void noteShortage();
    void fail(Status why);

    // For the calling thread, which feeds the sink.
    struct Front {
        std::string records;
        Segment* nested = nullptr;
        Segment::State state = Segment::State::Walking;  // when neither is there yet
        bool byCaller = false;
    };
    Front takeFront(Segment* segment);
    std::unique_ptr<WalkJob> takeRest(Segment* segment);  // of a Parked one, which goes
    void release(Segment* segment);                       // a Done one
    // The queued task that comes first in the list, for the calling thread to walk as well.
    std::unique_ptr<WalkTask> takeTask();
    // Waits, counted as idle, until a helper hands out work or writes, or `most` passes.
    void waitForHelpers(std::chrono::milliseconds most);
    // Asks every helper to park its walk and let go of what it holds, lets go of what queued
    // tasks hold, and waits until they have (calling `meanwhile` now and then).
    template <typename Meanwhile>
    void giveBack(Meanwhile meanwhile);
    bool failed() const { return failed_.load(std::memory_order_relaxed); }
    Status failure();
    void stop();

    // What the walk did, for tests and benchmarks; once the helpers have stopped.
    WalkCounts counts() const { return counts_; }

  private:
    void helperLoop(unsigned index);
    bool servingLocked(unsigned index) const { return index + 1 < wanted_; }
    void setWanted(unsigned wanted);
    void walkTask(std::unique_ptr<WalkTask> task);
    std::unique_ptr<WalkTask> takeEarliestLocked();
    void startLocked(unsigned threads);
    void wakeCallerLocked();
    bool allHelpersIdleLocked() const { return idleHelpers_ == helpers_.size(); }
    void askToGiveBack();
    bool gaveBack(std::chrono::milliseconds most);

    const FolderReading& reading_;
    DescriptorBudget& budget_;
    const unsigned startThreads_;
    const unsigned mostThreads_;
    const size_t aheadLimit_;
    const bool background_;
    const bool timedWaits_;
    // Threads that walk, the calling one included; changed under the lock.
    std::atomic<unsigned> wanted_;
    WalkCounts counts_;  // under the lock

    // The reads counted for ThreadGrowth, and when it decides next.
    using Clock = std::chrono::steady_clock;
    const Clock::time_point started_ = Clock::now();
    std::atomic<std::uint64_t> foldersRead_{0};
    std::atomic<std::uint64_t> reports_{0};
    std::atomic<std::uint64_t> reportsWaited_{0};
    std::atomic<Clock::rep> nextDecision_{0};  // since started_
    std::mutex growthMutex_;
    ThreadGrowth growth_;

    std::mutex mutex_;
    std::condition_variable workReady_;   // helpers wait here
    std::condition_variable callerWake_;  // the calling thread waits here
    std::list<Segment> segments_;
    std::vector<WalkTask*> queue_;      // the tasks of the Queued segments
    std::atomic<size_t> idle_{0};       // threads waiting for work (not helpers laid off)
    std::atomic<size_t> queued_{0};     // tasks waiting for a thread
    std::atomic<size_t> heldAhead_{0};  // bytes of the segments' parts not yet taken
    // Set once, under the lock, by the thread that met the shortage, so that a helper that
    // decides under the lock to take a task sees it; read between steps without it. Never
    // cleared: after a shortage the walk goes on with the work already handed out.
    std::atomic<bool> shortage_{false};
    std::atomic<bool> givingBack_{false};
    std::atomic<bool> failed_{false};
    size_t idleHelpers_ = 0;
    bool callerWaiting_ = false;
    std::atomic<bool> stopping_{false};
    Status failure_;
    std::vector<WalkThread> helpers_;
};

// A job's output into its segment, handed on in pieces as it grows.
class SegmentWriter : public WalkOutput {
  public:
    SegmentWriter(WalkTeam& team, Segment* segment) : team_(team), segment_(segment) {}

    void block(const BlockRecord& record) override;
    void unreadable(std::string_view folderPath, Status why) override;
    void nest(Segment* nested) override;
    // Hands on what was written since the last time.
    void flush() { team_.publish(segment_, writer_.bytes()); }
    bool pending() const { return !writer_.bytes().empty(); }
    Segment* segment() const { return segment_; }

  private:
    WalkTeam& team_;
    Segment* segment_;
    RecordWriter writer_;
};

template <typename Meanwhile>
void WalkTeam::giveBack(Meanwhile meanwhile) {
    askToGiveBack();
    while (!gaveBack(std::chrono::milliseconds(10)))
        meanwhile();
    givingBack_ = false;
}

}  // namespace quorvane
