// "Start Creating List": the list creation run.
//
// The window's thread reads no folder. The walk runs on a thread of its own, below the
// window's in the scheduler's eyes, and hands its folders over in batches (RunFeed); the
// window's thread appends them between passes of its event loop, a few milliseconds of work
// at a time, and sleeps in the event loop while the walk has nothing new. So the list fills
// while the walk goes on, and the window answers within a frame whatever the disk does.
// Escape stops the run, keeping what was found; the caption counts the folders meanwhile. A
// second press during a run does nothing, and the pointer stays the hourglass while the run
// works.

#include <atomic>
#include <chrono>
#include <exception>
#include <new>
#include <optional>

#include "engine/folder_exists.h"
#include "engine/folder_walk.h"
#include "engine/path_rules.h"
#include "engine/walk_thread.h"
#include "form/error_report.h"
#include "form/error_trap.h"
#include "form/form1.h"
#include "form/run_feed.h"
#include "form/run_progress.h"
#include "form/run_time_error.h"
#include "form/value_conversions.h"

namespace quorvane {

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kDone[] = "Done.";
constexpr char kFolderMissing[] = "Folder does not exist. Please select another folder.";

// How long the window's thread appends entries before it lets the events run again, and how
// many entries it appends between two looks at the clock.
constexpr std::chrono::milliseconds kWorkPerTurn{4};
constexpr int kEntriesPerLook = 256;

// Appends entries of the feed's batches to `results` until kWorkPerTurn has passed; whether
// entries are left for the next turn.
bool AppendForOneTurn(RunFeed& feed, RunFeed::Batch& batch, ResultsList& results) {
    const Clock::time_point end = Clock::now() + kWorkPerTurn;
    for (;;) {
        for (int i = 0; i < kEntriesPerLook; ++i) {
            if (batch.empty() && !feed.take(batch)) return false;
            results.append(batch.take());
        }
        if (Clock::now() >= end) return !batch.empty() || feed.hasBatches();
    }
}

// Stops the walk of a run that ends otherwise (a failure of this thread), before its thread
// is waited for.
struct StopOnExit {
    RunFeed& feed;
    ~StopOnExit() { feed.stop(); }
};

}  // namespace

void Form1::startList() {
    if (creatingList_) return;  // line 100
    ErrorTrap trap(services_.dialogs, procedure::kStartCreatingList);
    trap.step(102, [&] { creatingList_ = true; });
    stopAsked_ = false;
    trap.step(104, [&] { results_.clear(); });
    trap.step(106, [&] { setMousePointer(kHourglassPointer); });

    DepthChoice depth;
    if (trap.test(108, [&] { return view_.isChecked(Control::LimitDepthOption); })) {
        trap.step(110, [&] { depth.limitDepth = true; });
        trap.step(112, [&] {
            depth.depth = ToInteger16(view_.text(Control::DepthBox), services_.numberFormat);
        });
    } else if (trap.test(114, [&] { return view_.isChecked(Control::FirstSubfoldersOption); })) {
        trap.step(116, [&] { depth.limitDepth = true; });
        trap.step(118, [&] { depth.depth = 1; });
    } else if (trap.test(120, [&] { return view_.isChecked(Control::AllSubfoldersOption); })) {
        trap.step(122, [&] { depth.limitDepth = false; });
        trap.step(124, [&] { depth.depth = 0; });
    }

    RunProgress progress(results_, view_, services_.numberFormat);
    const auto walk = [&](int line, const std::string& root, bool stayOnVolume) {
        if (stopAsked_ || ending_) return;
        trap.step(line, [&] {
            WalkOptions options;
            options.depth = depth;
            options.stayOnVolume = stayOnVolume;
            // A shortage the walk could not mend: it could not make its list, which its own
            // trap reports; the run then goes on.
            const Status walked = walkBesideWindow(root, options, progress);
            ErrorTrap walkTrap(services_.dialogs, procedure::kSubfolderWalk, ErrorTrap::Form::Walk);
            walkTrap.step(100, [&] { ThrowIfFailed(walked); });
        });
    };
    const auto finish = [&](int pointerLine, int doneLine) {
        progress.end();
        trap.step(pointerLine, [&] { setMousePointer(kDefaultPointer); });
        // The user who stopped the run needs no word that it ended.
        if (stopAsked_ || ending_) return;
        // A close that came while the last entries went in is not lost behind the box.
        view_.processEvents();
        if (!ending_) trap.step(doneLine, [&] { message(kDone); });
    };

    if (trap.test(126, [&] { return view_.isChecked(Control::EntireComputerOption); })) {
        // The drives as the list shows them when the run starts.
        const std::vector<Drive> drives = drives_;
        for (const Drive& drive : drives)
            walk(138, drive.root, true);
        finish(152, 154);
    } else if (trap.test(156, [&] { return view_.isChecked(Control::FolderOption); })) {
        const std::string folder = view_.text(Control::FolderBox);
        // Even a check of one folder may wait on a disk or a server that does not answer.
        if (trap.test(158,
                      [&] { return besideWindow([&] { return FolderExists(folder); }) != true; })) {
            trap.step(158, [&] { setMousePointer(kDefaultPointer); });
            trap.step(186, [&] { message(kFolderMissing); });
        } else {
            walk(170, ToFolderPathForm(folder), false);
            finish(182, 184);
        }
    } else if (trap.test(188, [&] { return view_.isChecked(Control::DriveOption); })) {
        const int current = view_.currentDrive();
        const bool chosen = current >= 0 && static_cast<size_t>(current) < drives_.size();
        walk(198, chosen ? drives_[static_cast<size_t>(current)].root : std::string(), true);
        finish(210, 212);
    } else {
        setMousePointer(kDefaultPointer);
    }
    creatingList_ = false;  // line 214
}

template <typename Work>
auto Form1::besideWindow(Work work) -> decltype(work()) {
    std::optional<decltype(work())> result;
    std::exception_ptr failure;
    std::atomic<bool> done{false};
    {
        WalkThread thread;
        const Status started = thread.start([&] {
            try {
                result = work();
            } catch (...) {
                failure = std::current_exception();
            }
            done = true;
            wake_.wake();
        });
        if (!started.ok()) return work();
        // Once the window has gone (ending_), only the work is waited for, as the thread ends.
        while (!done && !ending_)
            view_.waitForEvents();
    }
    if (failure) std::rethrow_exception(failure);
    return *result;
}

void Form1::stopList() {
    if (creatingList_) stopAsked_ = true;
}

// The walk of one root, on a thread of its own, while this thread appends what it finds.
// Before each pass of the event loop the pointer is the hourglass again, whatever a command
// run during the last pass left it at.
Status Form1::walkBesideWindow(const std::string& root, WalkOptions options,
                               RunProgress& progress) {
    RunFeed feed([this] { wake_.wake(); });
    options.yield = &feed;
    options.background = true;
    WalkThread thread;
    const Status started = thread.start([&] {
        LowerThisThreadsPriority();
        Status walked;
        try {
            walked = services_.walk(root, options, feed);
        } catch (const std::bad_alloc&) {
            walked = Status::of(Status::Failure::OutOfMemory);
        }
        feed.finish(walked);
    });
    if (!started.ok()) return started;
    const StopOnExit stopOnExit{feed};
    RunFeed::Batch batch;
    for (;;) {
        // Once the window has gone, nothing more is shown: the walk ends at its next step.
        if (ending_) break;
        if (stopAsked_) feed.stop();
        const bool more = AppendForOneTurn(feed, batch, results_);
        progress.beforePass();
        setMousePointer(kHourglassPointer);
        if (!more && feed.ended()) break;
        if (more) {
            view_.processEvents();
        } else {
            view_.waitForEvents();
        }
        progress.afterPass();
    }
    return feed.status();
}

}  // namespace quorvane
