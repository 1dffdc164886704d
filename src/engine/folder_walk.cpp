#include "engine/folder_walk.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/descriptor_budget.h"
#include "engine/folder_access.h"
#include "engine/folder_node.h"
#include "engine/folder_reading.h"
#include "engine/list_emitter.h"
#include "engine/path_rules.h"
#include "engine/walk_job.h"
#include "engine/walk_team.h"
#include "engine/walk_thread.h"

namespace quorvane {

namespace {

// Each thread of the walk holds a chain of folders and opens one more at a time: below this
// many free descriptors per thread, threads would only take them from one another.
constexpr size_t kDescriptorsPerThread = 16;
// Descriptors the walk's threads leave free, at most, for the opens in flight and the rest of
// the program.
constexpr size_t kRoomLeft = 4 + 2 * kMostThreads;

// How many folders the walk's threads may keep open at once: what is free as the walk starts,
// less some room, but never fewer than the two a walk needs (the target and one folder below).
size_t HeldFolderLimit(size_t freeDescriptors) {
    return std::max<size_t>(2, freeDescriptors - std::min(freeDescriptors / 2, kRoomLeft));
}

// How long the calling thread waits for the other threads before it lets the window run.
constexpr std::chrono::milliseconds kLongestWait{10};

// The walk as the calling thread runs it: it walks the target, feeds the sink in the list's
// order, and, while the list waits for a part another thread walks, walks further parts
// itself or waits.
//
// The list's order is kept by a stack of jobs and a cursor. The job on top of the stack writes
// straight to the sink while the cursor is at its level; when it reaches a part it handed out,
// the cursor descends into that part's segment and hands on what the segment holds, descending
// again into parts handed out in their turn. A segment whose walk was parked becomes a job on
// the stack, at the cursor's level.
class Walk {
  public:
    Walk(const WalkOptions& options, FolderSink& sink)
        : options_(options), emitter_(sink, options.yield, options.rules.totals) {}

    Status run(std::string_view root);

  private:
    struct Direct {
        std::unique_ptr<WalkJob> job;
        size_t base;           // the cursor's depth at which it writes to the sink
        bool waiting = false;  // for the part the cursor went into from its level
    };
    // A part the calling thread walks beside its own, while the list waits for another.
    struct Side {
        Side(WalkTeam& team, std::unique_ptr<WalkJob> walk, Segment* segment)
            : job(std::move(walk)), writer(team, segment) {}
        std::unique_ptr<WalkJob> job;
        SegmentWriter writer;
    };

    Status start(std::string_view root);
    WalkTeam::Settings teamSettings(size_t freeDescriptors) const;
    Status stepDirect();
    void stepCursor();
    void adopt(std::unique_ptr<WalkJob> job);
    void walkBeside();
    void parkSide();
    void giveBack();
    void between(WalkJob& job, JobPlace place);

    const WalkOptions& options_;
    ListEmitter emitter_;
    std::optional<DescriptorBudget> budget_;
    std::optional<FolderReading> reading_;
    std::optional<WalkTeam> team_;
    std::vector<Direct> direct_;
    std::vector<Segment*> cursor_;
    std::unique_ptr<Side> side_;
    bool gaveBack_ = false;  // since the last step that went well
};

Status Walk::run(std::string_view root) {
    Status status = start(root);
    while (status.ok() && !direct_.empty() && !emitter_.stopped()) {
        if (team_->failed()) {
            status = team_->failure();
        } else if (cursor_.size() == direct_.back().base) {
            status = stepDirect();
        } else {
            stepCursor();
        }
    }
    // Helpers still walking, when the sink stopped or the walk failed, end at their next step.
    if (team_) {
        team_->stop();
        if (options_.counts) *options_.counts = team_->counts();
    }
    return status;
}

Status Walk::start(std::string_view root) {
    const size_t freeDescriptors = FreeDescriptors();
    budget_.emplace(HeldFolderLimit(freeDescriptors));
    std::string path = WalkRootPath(root);
    auto target = std::make_shared<FolderNode>();
    HeldFolder held;
    const Status opened = OpenFolderPath(path, held);
    yieldTo(options_.yield);
    if (!opened.ok()) {
        if (IsShortage(opened)) return opened;
        emitter_.unreadable(path, opened);
        return {};
    }
    const WalkLevels levels(options_.depth, options_.rules.facts != FactsWanted::None);
    reading_.emplace(levels, options_.rules, MountPointsBelow(held));
    reading_->prepareTarget(*target);
    if (options_.stayOnVolume) {
        target->identity = IdentityOf(held);
        if (target->identity)
            reading_->stayOn(target->identity->device, KernelRefusesCrossings(held));
    }
    WalkTeam::Settings settings = teamSettings(freeDescriptors);
    settings.timedWaits = WaitsToldByTime(held);
    team_.emplace(*reading_, *budget_, settings);
    reading_->read(*target, held, options_.yield, nullptr);
    if (IsShortage(target->status)) return target->status;
    if (!target->status.ok()) emitter_.unreadable(path, target->status);
    const bool helpersPay = reading_->entersSubfolders(*target) && target->contents.count() > 1;
    adopt(std::make_unique<WalkJob>(*team_, std::move(target), std::move(path), std::move(held)));
    if (helpersPay) team_->startHelpers();
    return {};
}

WalkTeam::Settings Walk::teamSettings(size_t freeDescriptors) const {
    const unsigned cores = WalkThread::Cores();
    WalkTeam::Settings settings;
    settings.threads = options_.threads > 0 ? options_.threads : cores;
    settings.mostThreads = options_.threads > 0 ? options_.threads : std::max(kMostThreads, cores);
    // What the descriptors free leave room for; one thread whatever they leave.
    const auto affordable = static_cast<unsigned>(
        std::clamp<size_t>(freeDescriptors / kDescriptorsPerThread, 1, kMostThreads));
    settings.threads = std::min(settings.threads, affordable);
    settings.mostThreads = std::min(settings.mostThreads, affordable);
    settings.aheadLimit = options_.aheadLimit;
    settings.background = options_.background;
    return settings;
}

// One step of the job that writes to the sink.
Status Walk::stepDirect() {
    Direct& direct = direct_.back();
    if (direct.waiting) {
        direct.job->passWaited();
        direct.waiting = false;
    }
    if (side_) parkSide();
    switch (direct.job->step()) {
        case WalkJob::Step::Going:
            gaveBack_ = false;
            between(*direct.job, JobPlace::List);
            break;
        case WalkJob::Step::Done:
            direct_.pop_back();
            break;
        case WalkJob::Step::Waits:
            cursor_.push_back(direct.job->waitingOn());
            direct.waiting = true;
            break;
        case WalkJob::Step::Short:
            if (gaveBack_) return direct.job->shortage();
            giveBack();
            gaveBack_ = true;
            break;
    }
    return {};
}

// Hands on what the segment at the cursor holds next, or, when it holds nothing yet, walks the
// rest of it, walks something beside it, or waits for it.
void Walk::stepCursor() {
    Segment* segment = cursor_.back();
    WalkTeam::Front front = team_->takeFront(segment);
    if (!front.records.empty()) {
        ReplayRecords(front.records, emitter_, [&] { return emitter_.stopped(); });
        return;
    }
    if (front.nested) {
        cursor_.push_back(front.nested);
        return;
    }
    // The cursor never reaches a Queued segment (see Segment): it is Walking, Parked or Done.
    if (front.state == Segment::State::Done) {
        team_->release(segment);
        cursor_.pop_back();
    } else if (front.state == Segment::State::Parked) {
        cursor_.pop_back();
        adopt(team_->takeRest(segment));
    } else if (front.byCaller && side_ && side_->writer.segment() == segment) {
        // The list has reached the part this thread walks beside its own: what it wrote goes
        // on first, then the rest goes straight to the sink.
        if (side_->writer.pending()) {
            side_->writer.flush();
            return;
        }
        cursor_.pop_back();
        team_->release(segment);
        std::unique_ptr<WalkJob> job = std::move(side_->job);
        side_.reset();
        adopt(std::move(job));
    } else {
        walkBeside();
    }
}

void Walk::adopt(std::unique_ptr<WalkJob> job) {
    job->runOn(emitter_, true, options_.yield);
    direct_.push_back({std::move(job), cursor_.size()});
}

// Another thread walks the part the list waits for: this one takes a step of a part of its
// own, takes a part that waits for a thread, or waits for the others.
void Walk::walkBeside() {
    if (!side_) {
        if (std::unique_ptr<WalkTask> task = team_->takeTask()) {
            Segment* segment = task->segment;
            side_ = std::make_unique<Side>(
                *team_, std::make_unique<WalkJob>(*team_, std::move(*task)), segment);
            side_->job->runOn(side_->writer, false, options_.yield);
        } else {
            team_->waitForHelpers(kLongestWait);
            yieldTo(options_.yield);
            return;
        }
    }
    switch (side_->job->step()) {
        case WalkJob::Step::Done:
            side_->writer.flush();
            team_->finish(side_->writer.segment());
            side_.reset();
            return;
        case WalkJob::Step::Short:
            team_->noteShortage();
            side_->job->letGoAll();
            parkSide();
            return;
        default:
            between(*side_->job, side_->writer.segment()->near ? JobPlace::Near : JobPlace::Ahead);
            return;
    }
}

void Walk::parkSide() {
    side_->writer.flush();
    team_->park(side_->writer.segment(), std::move(side_->job), false);
    side_.reset();
}

// A shortage this thread cannot mend alone: every thread gives back what it holds, and the
// walk goes on with this thread alone.
void Walk::giveBack() {
    team_->giveBack([&] { yieldTo(options_.yield); });
    if (side_) {
        side_->job->letGoAll();
        parkSide();
    }
    for (size_t k = 0; k + 1 < direct_.size(); ++k)
        direct_[k].job->letGoAll();
}

// Between two steps of a job of this thread: the same policy as every thread's.
void Walk::between(WalkJob& job, JobPlace place) {
    const JobMove move = team_->nextMove(place);
    if (move == JobMove::Park) {
        parkSide();  // only the part beside the list parks
    } else if (move != JobMove::Walk) {
        job.handOut(move == JobMove::HandOutNear);
    }
}

}  // namespace

Status WalkFolders(std::string_view root, const WalkOptions& options, FolderSink& sink) {
    // On the heap: the walk runs on a small stack (ulimit -s 16).
    return std::make_unique<Walk>(options, sink)->run(root);
}

}  // namespace quorvane
