#include "engine/folder_walk.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/folder_access.h"
#include "engine/folder_chain.h"
#include "engine/folder_node.h"
#include "engine/folder_reading.h"
#include "engine/path_rules.h"
#include "engine/read_ahead.h"
#include "engine/wait_meter.h"

namespace quorvane {

namespace {

// Left to itself the walk brings readers in when it waits on the file system again and again:
// twice within a few reads of its own. It starts two, and doubles them each time that happens
// again. A wait now and then, a folder the cache had let go, brings none.
constexpr unsigned kWaitsThatCount = 2;
constexpr unsigned kReadsBetweenWaits = 32;
constexpr unsigned kFirstReaders = 2;
// Below this, a descriptor limit leaves too little for readers to hold what they read.
constexpr size_t kFewestHeldForReaders = 16;

struct IdentityHash {
    size_t operator()(const FolderIdentity& identity) const {
        return std::hash<std::uint64_t>{}(identity.inode ^ (identity.device << 32) ^
                                          (identity.device >> 32));
    }
};

// One folder on the walk's current chain, from the target down to the folder being listed.
struct Frame {
    std::shared_ptr<FolderNode> node;
    size_t next = 0;  // the subfolder to enter next
    // With facts asked for: those of each subfolder, once its frame is done (none for one
    // that could not be read), and the totals of everything below this folder.
    std::vector<std::optional<FolderFacts>> subfolderFacts = {};
    FolderFacts below = {};
};

class Walk {
  public:
    Walk(const WalkOptions& options, FolderSink& sink)
        : options_(options), sink_(sink), chain_(HeldFolderBudget()) {
        if (options.readers == 0) meter_.emplace();
    }
    ~Walk() { end(); }
    Walk(const Walk&) = delete;
    Walk& operator=(const Walk&) = delete;

    void run(std::string_view root) {
        if (!openTarget(root)) return;
        if (options_.readers > 1) startReadAhead(options_.readers);
        while (!frames_.empty() && !sink_.stopped()) {
            Frame& current = frames_.back();
            const FolderNode& node = *current.node;
            if (reading_->entersSubfolders(node) && current.next < node.contents.count()) {
                enter(frames_.size() - 1, current.next++);
            } else {
                if (reading_->levels().listsSubfoldersOf(node.level)) {
                    appendBlock(frames_.size() - 1);
                }
                pop();
            }
        }
        end();
    }

  private:
    bool openTarget(std::string_view root) {
#ifdef _WIN32
        std::string path(root);
#else
        // The POSIX rule is idempotent, so one pass over the root keeps every path below it
        // clean.
        std::string path = CollapseSlashRuns(root);
#endif
        chain_.start(path);
        auto node = std::make_shared<FolderNode>();
        const Status opened = OpenFolderPath(path, node->held);
        yieldTo(options_.yield);
        if (!opened.ok()) {
            sink_.unreadable(path, opened);
            return false;
        }
        const WalkLevels levels(options_.depth, options_.rules.facts != FactsWanted::None);
        reading_.emplace(levels, options_.rules, MountPointsBelow(node->held));
        reading_->prepareTarget(*node);
        if (options_.stayOnVolume) {
            node->identity = IdentityOf(node->held);
            if (node->identity) reading_->stayOn(node->identity->device);
        }
        reading_->read(*node, options_.yield, meter());
        if (meter_) noteRead(meter_->takeWaits());
        report(*node);
        push(std::move(node));
        return true;
    }

    // Subfolder i of the folder at `level`: taken from the read-ahead when a reader has read
    // it, read here otherwise.
    void enter(size_t level, size_t i) {
        std::shared_ptr<FolderNode> parent = frames_[level].node;
        chain_.enter(level, parent->contents.name(i));
        if (readAhead_) {
            if (std::shared_ptr<FolderNode> node = readAhead_->take(*parent, i)) {
                adopt(std::move(node));
                return;
            }
        }
        read(level, parent, i);
    }

    void read(size_t level, const std::shared_ptr<FolderNode>& parent, size_t i) {
        std::shared_ptr<FolderNode> node = reading_->subfolderNode(parent, i);
        const Status opened = chain_.openEntered(level, parent->contents.name(i),
                                                 parent->contents.throughLink(i), node->held);
        const bool otherVolume = opened.ok() && reading_->identifyAndCheckVolume(*node);
        if (leadsBackInside(*node)) {
            chain_.leave();
            return;
        }
        yieldTo(options_.yield);
        if (!opened.ok()) {
            node->status = opened;
            report(*node);
            chain_.leave();
            return;
        }
        if (otherVolume) {
            chain_.leave();
            return;
        }
        reading_->read(*node, options_.yield, meter());
        if (meter_) noteRead(meter_->takeWaits());
        report(*node);
        push(node);
        if (readAhead_) readAhead_->offer(node);
    }

    // A folder a reader has read. Its yields are made now, one as it opened and one per
    // entry, so that the window runs as often as when the walk reads for itself.
    void adopt(std::shared_ptr<FolderNode> node) {
        if (leadsBackInside(*node)) {
            readAhead_->finish(*node);
            chain_.leave();
            return;
        }
        for (size_t k = 0; k <= node->contents.entriesSeen; ++k)
            yieldTo(options_.yield);
        if (node->otherVolume) {
            chain_.leave();
            return;
        }
        report(*node);
        push(std::move(node));
    }

    void report(const FolderNode& node) {
        if (!node.status.ok()) sink_.unreadable(chain_.path(), node.status);
    }

    void push(std::shared_ptr<FolderNode> node) {
        const bool enters = reading_->entersSubfolders(*node);
        chain_.push(&node->held, enters);
        frames_.push_back({std::move(node)});
        if (reading_->factsWanted() && enters) {
            frames_.back().subfolderFacts.assign(frames_.back().node->contents.count(),
                                                 std::nullopt);
        }
    }

    void pop() {
        const Frame& frame = frames_.back();
        passFactsUp(frame);
        if (frames_.size() <= knownInside_) {
            if (frame.node->identity) inside_.erase(inside_.find(*frame.node->identity));
            knownInside_ = frames_.size() - 1;
        }
        // A reader still opening from the folder holds its node, which closes it when it goes.
        const bool readersOpening = readAhead_ && readAhead_->finish(*frame.node);
        chain_.pop(!readersOpening);
        frames_.pop_back();
    }

    void end() {
        if (readAhead_) readAhead_->stop();
        while (!frames_.empty())
            pop();
        readAhead_.reset();
    }

    void appendBlock(size_t level) {
        const Frame& frame = frames_[level];
        const FolderNode& node = *frame.node;
        for (size_t i = 0; i < node.contents.count(); ++i) {
            yieldTo(options_.yield);
            const FolderFacts* facts = nullptr;
            if (i < frame.subfolderFacts.size() && frame.subfolderFacts[i]) {
                facts = &*frame.subfolderFacts[i];
            }
            chain_.formEntry(level, node.contents.name(i), entry_);
            sink_.append({entry_, static_cast<int>(level) + 1, facts});
            if (sink_.stopped()) return;
        }
    }

    // Hands the facts of the folder whose frame is done to its parent's block.
    void passFactsUp(const Frame& frame) {
        if (!reading_->factsWanted() || frames_.size() < 2 || !frame.node->status.ok()) return;
        Frame& parent = frames_[frames_.size() - 2];
        FolderFacts facts = frame.node->contents.facts;
        if (options_.rules.totals) {
            facts.addBelow(frame.below);
            parent.below.addBelow(facts);
        }
        parent.subfolderFacts[frame.node->indexInParent] = facts;
    }

    // Whether `node` is a folder the walk is inside (a link or a mount leading back up): then
    // it is listed in its parent's block, but never entered again. Only a node whose identity
    // was needed can be one; the chain's identities are asked the first time one is.
    bool leadsBackInside(const FolderNode& node) {
        if (!node.identity) return false;
        for (; knownInside_ < frames_.size(); ++knownInside_) {
            FolderNode& onChain = *frames_[knownInside_].node;
            if (!onChain.identity) onChain.identity = chain_.identityAt(knownInside_);
            if (onChain.identity) inside_.insert(*onChain.identity);
        }
        return inside_.contains(*node.identity);
    }

    // The meter of the walk's own reads, while readers may still be brought in.
    WaitMeter* meter() {
        if (!meter_ || (readAhead_ && readAhead_->readers() >= kMostReaders)) return nullptr;
        return &*meter_;
    }

    // After each read of the walk's own, with the waits the meter counted in it.
    void noteRead(unsigned waits) {
        if (waits == 0) {
            ++readsSinceWait_;
            return;
        }
        recentWaits_ = readsSinceWait_ <= kReadsBetweenWaits ? recentWaits_ + waits : waits;
        readsSinceWait_ = 0;
        if (recentWaits_ < kWaitsThatCount) return;
        recentWaits_ = 0;
        if (readAhead_) {
            readAhead_->grow(2 * readAhead_->readers());
        } else {
            startReadAhead(kFirstReaders);
        }
    }

    // Brings readers in, and offers them what the folders on the chain have left to read.
    void startReadAhead(unsigned readers) {
        const size_t held = HeldFolderBudget() / 2;
        if (readAhead_ || held < kFewestHeldForReaders) return;
        const unsigned most = options_.readers > 1 ? options_.readers : kMostReaders;
        readAhead_.emplace(*reading_, most, options_.readAheadLimits, held);
        chain_.setBeforeLettingGo(
            [this](size_t level) { readAhead_->closeToReaders(*frames_[level].node); });
        readAhead_->grow(readers);
        for (size_t level = 0; level < frames_.size(); ++level) {
            const Frame& frame = frames_[level];
            if (frame.node->held.held()) readAhead_->offer(frame.node, frame.next);
        }
    }

    const WalkOptions& options_;
    FolderSink& sink_;
    std::optional<FolderReading> reading_;
    FolderChain chain_;
    std::vector<Frame> frames_;
    std::optional<ReadAhead> readAhead_;
    std::optional<WaitMeter> meter_;
    unsigned recentWaits_ = 0;
    unsigned readsSinceWait_ = 0;
    // The identities of the first knownInside_ folders on the chain.
    std::unordered_multiset<FolderIdentity, IdentityHash> inside_;
    size_t knownInside_ = 0;
    std::string entry_;
};

}  // namespace

void WalkFolders(std::string_view root, const WalkOptions& options, FolderSink& sink) {
    Walk(options, sink).run(root);
}

}  // namespace quorvane
