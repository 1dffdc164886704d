#include "engine/walk_job.h"

#include <algorithm>

#include "engine/walk_team.h"

namespace quorvane {

size_t WalkJob::IdentityHash::operator()(const FolderIdentity& identity) const {
    return std::hash<std::uint64_t>{}(identity.inode ^ (identity.device << 32) ^
                                      (identity.device >> 32));
}

WalkJob::WalkJob(WalkTeam& team, std::shared_ptr<const FolderNode> target, std::string path,
                 HeldFolder held)
    : team_(team),
      reading_(team.reading()),
      chain_(team.budget()),
      meter_(team.timedWaits()),
      metered_(team.adapts()) {
    chain_.start(std::move(path));
    push(std::move(target), std::move(held));
}

WalkJob::WalkJob(WalkTeam& team, WalkTask task)
    : team_(team),
      reading_(team.reading()),
      chain_(team.budget()),
      above_(std::move(task.above)),
      meter_(team.timedWaits()),
      metered_(team.adapts()) {
    chain_.start(std::move(task.path));
    chain_.push(std::move(task.held), true, task.identity);
    Frame frame;
    frame.node = std::move(task.folder);
    frame.next = task.from;
    frame.end = task.to;
    frame.writesBlock = false;
    frames_.push_back(std::move(frame));
}

WalkJob::~WalkJob() = default;

void WalkJob::runOn(WalkOutput& output, bool direct, YieldHook* yield) {
    output_ = &output;
    direct_ = direct;
    yield_ = yield;
}

WalkJob::Step WalkJob::step() {
    if (frames_.empty()) return Step::Done;
    const size_t level = frames_.size() - 1;
    Frame& frame = frames_.back();
    if (!frame.lost && frame.next < frame.end) {
        const size_t i = frame.next++;
        const Step step = enter(level, i);
        if (step == Step::Short) --frames_[level].next;
        return step;
    }
    if (!frame.handedOut.empty()) return takeOrPassHandedOut(frame) ? Step::Going : Step::Waits;
    pop();
    return frames_.empty() ? Step::Done : Step::Going;
}

void WalkJob::passWaited() {
    Frame& frame = frames_.back();
    frame.next = frame.end = frame.handedOut.back().end;
    frame.handedOut.pop_back();
    waitingOn_ = nullptr;
}

// The frame's own subfolders are done; next come those it handed out. Those no thread has
// started it walks itself; the others' lists come here, or, in the sink's order, are waited
// for (false).
bool WalkJob::takeOrPassHandedOut(Frame& frame) {
    const HandedOut handedOut = frame.handedOut.back();
    if (team_.takeBack(handedOut.segment)) {
        frame.end = handedOut.end;
        frame.handedOut.pop_back();
        firstWithWork_ = std::min(firstWithWork_, frames_.size() - 1);
        return true;
    }
    if (direct_) {
        waitingOn_ = handedOut.segment;
        return false;
    }
    output_->nest(handedOut.segment);
    frame.next = frame.end = handedOut.end;
    frame.handedOut.pop_back();
    return true;
}

// Subfolder i of the folder at `level`.
WalkJob::Step WalkJob::enter(size_t level, size_t i) {
    const std::shared_ptr<const FolderNode>& parent = frames_[level].node;
    const HeldFolder* at = nullptr;
    if (const Status reached = chain_.heldAt(level, at); !reached.ok()) {
        if (IsShortage(reached)) return shortageOf(reached);
        // The folder moved away since the walk let go of it: what is left of it cannot be
        // reached, and it is the folder to name.
        frames_[level].lost = true;
        output_->unreadable(chain_.pathOf(level), reached);
        return Step::Going;
    }
    std::shared_ptr<FolderNode> node = reading_.subfolderNode(parent, i);
    const std::string_view name = parent->contents.name(i);
    chain_.enter(level, name);
    HeldFolder held;
    SubfolderOpening how = reading_.openingOf(*node);
    Status opened = chain_.openEntered(level, name, how, held);
    // A mount point, which may still be of the walk's own volume (a bind mount): asked.
    const bool refused = how.stayOnVolume && RefusedCrossing(opened);
    if (refused) {
        how.stayOnVolume = false;
        opened = chain_.openEntered(level, name, how, held);
    }
    if (IsShortage(opened)) {
        chain_.leave();
        return shortageOf(opened);
    }
    const bool otherVolume = opened.ok() && reading_.identifyAndCheckVolume(*node, held, refused);
    if (leadsBackInside(*node)) {
        chain_.leave();
        return Step::Going;
    }
    yieldTo(yield_);
    if (!opened.ok()) {
        output_->unreadable(chain_.path(), opened);
        chain_.leave();
        return Step::Going;
    }
    if (otherVolume) {
        chain_.leave();
        return Step::Going;
    }
    if (const Step step = read(*node, held); step == Step::Short) {
        chain_.leave();
        return step;
    }
    if (!node->status.ok()) output_->unreadable(chain_.path(), node->status);
    push(std::move(node), std::move(held));
    return Step::Going;
}

// A read that fails for a shortage (kernel memory) is read again from its start once the chain
// has let go of one of its folders.
WalkJob::Step WalkJob::read(FolderNode& node, const HeldFolder& held) {
    for (;;) {
        reading_.read(node, held, yield_, metered_ ? &meter_ : nullptr);
        if (metered_) noteRead();
        if (!IsShortage(node.status)) return Step::Going;
        if (!chain_.letGoOne(FolderChain::kNoLevel) || !RewindFolder(held).ok()) {
            return shortageOf(node.status);
        }
    }
}

void WalkJob::noteRead() {
    if (++readsUnreported_ < WalkTeam::kReadsPerReport) return;
    team_.noteReads(readsUnreported_, meter_.takeWaits());
    readsUnreported_ = 0;
}

WalkJob::Step WalkJob::shortageOf(Status why) {
    shortage_ = why;
    return Step::Short;
}

void WalkJob::push(std::shared_ptr<const FolderNode> node, HeldFolder held) {
    const bool enters = reading_.entersSubfolders(*node);
    if (node->deepGuard && node->identity) guarded_.insert(*node->identity);
    chain_.push(std::move(held), enters, node->identity);
    Frame& frame = frames_.emplace_back();
    frame.end = enters ? node->contents.count() : 0;
    frame.node = std::move(node);
}

void WalkJob::pop() {
    const size_t level = frames_.size() - 1;
    const FolderNode& node = *frames_.back().node;
    if (frames_.back().writesBlock) writeBlock(level);
    if (node.deepGuard && node.identity) {
        if (const auto at = guarded_.find(*node.identity); at != guarded_.end()) guarded_.erase(at);
    }
    if (level < knownInside_) {
        if (const auto& identity = insideOf_.back()) {
            if (const auto at = inside_.find(*identity); at != inside_.end()) inside_.erase(at);
        }
        insideOf_.pop_back();
        knownInside_ = level;
    }
    chain_.pop();
    frames_.pop_back();
    firstWithWork_ = std::min(firstWithWork_, frames_.size());
}

void WalkJob::writeBlock(size_t level) {
    const FolderNode& node = *frames_[level].node;
    const bool lists = reading_.levels().listsSubfoldersOf(node.level);
    const bool facts = reading_.factsWanted() && node.status.ok();
    if (!facts && (!lists || node.contents.count() == 0)) return;
    BlockRecord record;
    record.level = node.level;
    record.indexInParent = node.indexInParent;
    record.folderPath = chain_.pathOf(level);
    if (lists) record.names = node.contents.names();
    if (facts) record.facts = node.contents.facts;
    output_->block(record);
}

// Whether `node` is a folder the walk is inside (a link or a mount leading back up): then it
// is listed in its parent's block, but never entered again. Only a node whose identity was
// needed can be one; the chain's identities are asked the first time one is.
bool WalkJob::leadsBackInside(const FolderNode& node) {
    if (!node.identity) return false;
    if (node.deepGuard) return guarded_.contains(*node.identity);
    for (; knownInside_ < frames_.size(); ++knownInside_) {
        insideOf_.push_back(chain_.identityAt(knownInside_));
        if (insideOf_.back()) inside_.insert(*insideOf_.back());
    }
    return inside_.contains(*node.identity) || (above_ && above_->contains(*node.identity));
}

bool WalkJob::handOut(bool near) {
    const size_t top = frames_.size() - 1;
    if (near) {
        for (size_t level = top + 1; level-- > firstWithWork_;) {
            if (handOutFrom(level, true)) return true;
        }
        return false;
    }
    for (size_t level = firstWithWork_; level <= top; ++level) {
        const Frame& frame = frames_[level];
        if (!frame.lost && frame.end == frame.next && level == firstWithWork_ && level < top) {
            ++firstWithWork_;
            continue;
        }
        if (handOutFrom(level, false)) return true;
    }
    return false;
}

bool WalkJob::handOutFrom(size_t level, bool near) {
    Frame& frame = frames_[level];
    const size_t remaining = frame.lost ? 0 : frame.end - frame.next;
    // The one subfolder left of the deepest folder is this job's next step.
    if (remaining < 2 && (remaining == 0 || level == frames_.size() - 1)) return false;
    const HeldFolder* held = chain_.held(level);
    WalkTask task;
    if (!held || !DuplicateFolder(*held, task.held).ok()) return false;
    const size_t given = remaining >= 2 ? remaining / 2 : 1;
    task.folder = frame.node;
    task.from = frame.end - given;
    task.to = frame.end;
    task.path = chain_.pathOf(level);
    task.identity = chain_.identityAt(level);
    task.above = foldersAbove(level);
    Segment* segment = team_.handOut(std::move(task), near);
    frame.handedOut.push_back({frame.end, segment});
    frame.end -= given;
    return true;
}

// What a task handed out from the folder at `level` must not enter again: the folders above it.
std::shared_ptr<const FoldersAbove> WalkJob::foldersAbove(size_t level) {
    if (level == 0) return above_;
    auto folders = std::make_shared<FoldersAbove>();
    folders->above = above_;
    for (size_t k = 0; k < level; ++k) {
        if (const auto identity = chain_.identityAt(k)) folders->folders.push_back(*identity);
    }
    return folders;
}

}  // namespace quorvane
