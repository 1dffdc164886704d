#include "engine/walk_team.h"

#include <algorithm>
#include <new>

namespace quorvane {

namespace {

// What a job writes before its segment gets it: large enough that publishing costs nothing
// beside the walk, small enough that the list fills while a helper walks its part.
constexpr size_t kPublishedBytes = 64 * 1024;

}  // namespace

WalkTeam::WalkTeam(const FolderReading& reading, DescriptorBudget& budget, Settings settings)
    : reading_(reading),
      budget_(budget),
      startThreads_(settings.threads),
      mostThreads_(std::max(settings.mostThreads, settings.threads)),
      aheadLimit_(settings.aheadLimit),
      background_(settings.background),
      timedWaits_(settings.timedWaits),
      wanted_(settings.threads),
      growth_(settings.threads, mostThreads_) {}

WalkTeam::~WalkTeam() {
    stop();
}

void WalkTeam::startHelpers() {
    std::lock_guard lock(mutex_);
    startLocked(wanted_);
}

void WalkTeam::noteReads(unsigned reads, unsigned waits) {
    foldersRead_.fetch_add(reads, std::memory_order_relaxed);
    reports_.fetch_add(1, std::memory_order_relaxed);
    if (waits > 0) reportsWaited_.fetch_add(1, std::memory_order_relaxed);
    const Clock::rep now = (Clock::now() - started_).count();
    if (now < nextDecision_.load(std::memory_order_relaxed)) return;
    std::unique_lock lock(growthMutex_, std::try_to_lock);
    if (!lock || now < nextDecision_.load(std::memory_order_relaxed)) return;
    const auto period = std::chrono::duration<double>(ThreadGrowth::kPeriodSeconds);
    nextDecision_ = now + std::chrono::duration_cast<Clock::duration>(period).count();
    const unsigned wanted = growth_.decide(
        {std::chrono::duration<double>(Clock::duration(now)).count(),
         foldersRead_.load(std::memory_order_relaxed), reports_.load(std::memory_order_relaxed),
         reportsWaited_.load(std::memory_order_relaxed)});
    if (wanted != wanted_.load(std::memory_order_relaxed)) setWanted(wanted);
}

// More threads start, or those beyond `wanted` stop taking work once their part is done.
void WalkTeam::setWanted(unsigned wanted) {
    {
        std::lock_guard lock(mutex_);
        if (wanted > wanted_ && shortage_) return;
        wanted_ = wanted;
        startLocked(wanted);
    }
    workReady_.notify_all();
}

// `threads` counts the calling thread. A thread the system cannot give, or the memory limit
// cannot afford, leaves the walk with fewer.
void WalkTeam::startLocked(unsigned threads) {
    unsigned affordable = WalkThread::Affordable();
    while (helpers_.size() + 1 < threads && affordable > 0 && !stopping_) {
        try {
            helpers_.emplace_back();
        } catch (const std::bad_alloc&) {
            return;
        }
        const auto index = static_cast<unsigned>(helpers_.size() - 1);
        if (!helpers_.back().start([this, index] { helperLoop(index); }).ok()) {
            helpers_.pop_back();
            return;
        }
        --affordable;
    }
}

void WalkTeam::stop() {
    std::vector<WalkThread> helpers;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        helpers.swap(helpers_);
    }
    workReady_.notify_all();
    helpers.clear();  // each waits for its thread
}

Segment* WalkTeam::handOut(WalkTask task, bool near) {
    auto owned = std::make_unique<WalkTask>(std::move(task));
    std::lock_guard lock(mutex_);
    Segment& segment = segments_.emplace_back();
    segment.self = std::prev(segments_.end());
    segment.near = near;
    ++counts_.handOuts;
    counts_.nearHandOuts += near;
    owned->segment = &segment;
    queue_.push_back(owned.get());
    segment.task = std::move(owned);
    ++queued_;
    workReady_.notify_one();
    wakeCallerLocked();
    return &segment;
}

bool WalkTeam::takeBack(Segment* segment) {
    std::unique_ptr<WalkTask> task;
    {
        std::lock_guard lock(mutex_);
        if (segment->state != Segment::State::Queued) return false;
        task = std::move(segment->task);
        std::erase(queue_, task.get());
        --queued_;
        segments_.erase(segment->self);
    }
    return true;  // the task lets go of its folder as it goes
}

void WalkTeam::publish(Segment* segment, std::string& records) {
    if (records.empty()) return;
    std::lock_guard lock(mutex_);
    heldAhead_ += records.size();
    segment->parts.push_back({std::move(records)});
    records = std::string();
    wakeCallerLocked();
}

void WalkTeam::nest(Segment* segment, Segment* nested) {
    std::lock_guard lock(mutex_);
    segment->parts.push_back({{}, nested});
    wakeCallerLocked();
}

void WalkTeam::finish(Segment* segment) {
    std::lock_guard lock(mutex_);
    segment->state = Segment::State::Done;
    wakeCallerLocked();
}

void WalkTeam::park(Segment* segment, std::unique_ptr<WalkJob> rest, bool byHelper) {
    std::lock_guard lock(mutex_);
    segment->rest = std::move(rest);
    segment->state = Segment::State::Parked;
    counts_.parks += byHelper;
    wakeCallerLocked();
}

void WalkTeam::noteShortage() {
    std::lock_guard lock(mutex_);
    shortage_ = true;
}

void WalkTeam::fail(Status why) {
    std::lock_guard lock(mutex_);
    if (failure_.ok()) failure_ = why;
    failed_ = true;
    wakeCallerLocked();
}

Status WalkTeam::failure() {
    std::lock_guard lock(mutex_);
    return failure_;
}

WalkTeam::Front WalkTeam::takeFront(Segment* segment) {
    std::lock_guard lock(mutex_);
    Front front;
    if (segment->parts.empty()) {
        front.state = segment->state;
        front.byCaller = segment->byCaller;
        return front;
    }
    Segment::Part& part = segment->parts.front();
    heldAhead_ -= part.records.size();
    front.records = std::move(part.records);
    front.nested = part.nested;
    segment->parts.pop_front();
    return front;
}

std::unique_ptr<WalkJob> WalkTeam::takeRest(Segment* segment) {
    std::lock_guard lock(mutex_);
    std::unique_ptr<WalkJob> rest = std::move(segment->rest);
    segments_.erase(segment->self);
    return rest;
}

void WalkTeam::release(Segment* segment) {
    std::lock_guard lock(mutex_);
    segments_.erase(segment->self);
}

std::unique_ptr<WalkTask> WalkTeam::takeTask() {
    std::lock_guard lock(mutex_);
    if (queue_.empty() || givingBack_) return nullptr;
    std::unique_ptr<WalkTask> task = takeEarliestLocked();
    task->segment->byCaller = true;
    return task;
}

void WalkTeam::waitForHelpers(std::chrono::milliseconds most) {
    std::unique_lock lock(mutex_);
    if (!queue_.empty() || helpers_.empty()) return;
    callerWaiting_ = true;
    ++idle_;
    callerWake_.wait_for(lock, most);
    --idle_;
    callerWaiting_ = false;
}

void WalkTeam::wakeCallerLocked() {
    if (callerWaiting_) callerWake_.notify_one();
}

// The queued task the list reaches first, so that the walk stays near the list's order and
// segments wait for their place as little as they can.
std::unique_ptr<WalkTask> WalkTeam::takeEarliestLocked() {
    auto earliest = queue_.begin();
    for (auto at = queue_.begin(); at != queue_.end(); ++at) {
        if (EntersBefore((*at)->folder.get(), (*at)->from, (*earliest)->folder.get(),
                         (*earliest)->from)) {
            earliest = at;
        }
    }
    Segment* segment = (*earliest)->segment;
    queue_.erase(earliest);
    --queued_;
    segment->state = Segment::State::Walking;
    return std::move(segment->task);
}

void WalkTeam::askToGiveBack() {
    std::lock_guard lock(mutex_);
    shortage_ = true;
    givingBack_ = true;
    for (WalkTask* task : queue_) {
        if (!task->identity) task->identity = IdentityOf(task->held);
        task->held.close();
    }
    for (Segment& segment : segments_) {
        if (segment.rest) segment.rest->letGoAll();
    }
}

bool WalkTeam::gaveBack(std::chrono::milliseconds most) {
    std::unique_lock lock(mutex_);
    if (allHelpersIdleLocked()) return true;
    callerWaiting_ = true;
    callerWake_.wait_for(lock, most);
    callerWaiting_ = false;
    return allHelpersIdleLocked();
}

// Helper `index` (0 for the first) walks while the team wants more threads than it: one laid
// off waits, without counting as idle, until the team wants it again.
void WalkTeam::helperLoop(unsigned index) {
    if (background_) LowerThisThreadsPriority();
    std::unique_lock lock(mutex_);
    ++idleHelpers_;
    bool walked = false;
    for (;;) {
        const bool serving = servingLocked(index);
        if (serving) ++idle_;
        workReady_.wait(lock, [&] {
            return stopping_ || servingLocked(index) != serving ||
                   (serving && !queue_.empty() && !givingBack_ && !shortage_);
        });
        if (serving) --idle_;
        if (stopping_) break;
        if (!serving || !servingLocked(index)) continue;
        std::unique_ptr<WalkTask> task = takeEarliestLocked();
        --idleHelpers_;
        if (!std::exchange(walked, true)) ++counts_.threadsThatWalked;
        lock.unlock();
        walkTask(std::move(task));
        lock.lock();
        ++idleHelpers_;
        wakeCallerLocked();
    }
    --idleHelpers_;
}

// Walks a task into its segment until it is done, or parks it: when segments hold too much,
// when the walk gives back what it holds, or when this thread meets a shortage.
void WalkTeam::walkTask(std::unique_ptr<WalkTask> task) {
    Segment* segment = task->segment;
    try {
        auto job = std::make_unique<WalkJob>(*this, std::move(*task));
        task.reset();
        SegmentWriter writer(*this, segment);
        job->runOn(writer, false, nullptr);
        for (;;) {
            if (stopping()) return;
            WalkJob::Step step = WalkJob::Step::Going;
            if (!givingBack()) step = job->step();
            if (step == WalkJob::Step::Done) {
                writer.flush();
                finish(segment);
                return;
            }
            if (step == WalkJob::Step::Short) noteShortage();
            if (step == WalkJob::Step::Short || givingBack()) job->letGoAll();
            const JobMove move = nextMove(segment->near ? JobPlace::Near : JobPlace::Ahead);
            if (step == WalkJob::Step::Short || givingBack() || move == JobMove::Park) {
                writer.flush();
                park(segment, std::move(job), true);
                return;
            }
            if (move != JobMove::Walk) job->handOut(move == JobMove::HandOutNear);
        }
    } catch (const std::bad_alloc&) {
        fail(Status::of(Status::Failure::OutOfMemory));
    }
}

void SegmentWriter::block(const BlockRecord& record) {
    writer_.block(record);
    if (writer_.bytes().size() >= kPublishedBytes) flush();
}

void SegmentWriter::unreadable(std::string_view folderPath, Status why) {
    writer_.unreadable(folderPath, why);
    if (writer_.bytes().size() >= kPublishedBytes) flush();
}

void SegmentWriter::nest(Segment* nested) {
    flush();
    team_.nest(segment_, nested);
}

}  // namespace quorvane
