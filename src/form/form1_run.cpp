// "Start Creating List": the list creation run.
//
// The walk hands each folder to the results list as soon as its block is final, so a long
// run fills the list while it goes on; the window's yield hook publishes what was appended
// and lets events run at most every 15 ms. A second press during a run does nothing, and the
// pointer stays the hourglass while the run works.

#include <algorithm>
#include <chrono>
#include <optional>

#include "engine/folder_exists.h"
#include "engine/folder_walk.h"
#include "engine/path_rules.h"
#include "form/error_report.h"
#include "form/error_trap.h"
#include "form/form1.h"
#include "form/run_time_error.h"
#include "form/value_conversions.h"
#include "form/window_yield_hook.h"

namespace quorvane {

namespace {

constexpr char kDone[] = "Done.";
constexpr char kFolderMissing[] = "Folder does not exist. Please select another folder.";

// Appends each entry to the results list and tells the view of the new rows now and then.
//
// Told of new rows, a list view lays out all its rows again in the next pass of the event
// loop, which takes longer the longer the list is. So the rows are told at intervals that
// grow with what that pass cost (ten times as long, from every pass up to every half second):
// the list visibly fills while the layouts stay a small share of the run.
class ResultsAppender : public FolderSink {
  public:
    using Clock = std::chrono::steady_clock;

    explicit ResultsAppender(ResultsList& results)
        : results_(results), lastPublished_(Clock::now()) {}

    void append(const ListedFolder& folder) override { results_.append(folder.entry); }

    void beforePass() {
        if (Clock::now() - lastPublished_ < interval_) return;
        results_.publishAppended();
        passStart_ = Clock::now();
    }

    void afterPass() {
        if (!passStart_) return;
        const Clock::time_point now = Clock::now();
        interval_ = std::min<Clock::duration>(10 * (now - *passStart_), kLongestInterval);
        passStart_.reset();
        lastPublished_ = now;
    }

    void finish() { results_.publishAppended(); }

  private:
    static constexpr std::chrono::milliseconds kLongestInterval{500};

    ResultsList& results_;
    Clock::time_point lastPublished_;
    std::optional<Clock::time_point> passStart_;
    Clock::duration interval_ = Clock::duration::zero();
};

}  // namespace

void Form1::startList() {
    if (creatingList_) return;  // line 100
    ErrorTrap trap(services_.dialogs, procedure::kStartCreatingList);
    trap.step(102, [&] { creatingList_ = true; });
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

    // Before each pass of the event loop the pointer is the hourglass again, whatever a
    // command run during the last pass left it at.
    ResultsAppender appender(results_);
    WindowYieldHook yield(view_, [&] {
        appender.beforePass();
        setMousePointer(kHourglassPointer);
    });
    yield.setAfterEvents([&] { appender.afterPass(); });
    const auto walk = [&](int line, const std::string& root, bool stayOnVolume) {
        trap.step(line, [&] {
            WalkOptions options;
            options.depth = depth;
            options.stayOnVolume = stayOnVolume;
            options.yield = &yield;
            // A shortage the walk could not mend: it could not make its list, which its own
            // trap reports; the run then goes on.
            const Status walked = services_.walk(root, options, appender);
            ErrorTrap walkTrap(services_.dialogs, procedure::kSubfolderWalk, ErrorTrap::Form::Walk);
            walkTrap.step(100, [&] { ThrowIfFailed(walked); });
        });
        appender.finish();
    };
    const auto finish = [&](int pointerLine, int doneLine) {
        trap.step(pointerLine, [&] { setMousePointer(kDefaultPointer); });
        trap.step(doneLine, [&] { message(kDone); });
    };

    if (trap.test(126, [&] { return view_.isChecked(Control::EntireComputerOption); })) {
        // The drives as the list shows them when the run starts.
        const std::vector<Drive> drives = drives_;
        for (const Drive& drive : drives)
            walk(138, drive.root, true);
        finish(152, 154);
    } else if (trap.test(156, [&] { return view_.isChecked(Control::FolderOption); })) {
        const std::string folder = view_.text(Control::FolderBox);
        if (trap.test(158, [&] { return FolderExists(folder) != true; })) {
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

}  // namespace quorvane
