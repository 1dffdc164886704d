#include "engine/folder_walk.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/folder_node.h"
#include "engine/folder_read.h"
#include "engine/open_chain_posix.h"
#include "engine/path_rules.h"
#include "engine/read_ahead.h"

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace quorvane {

namespace {

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
    // Reached through a link, here or further up: below such a folder even a plain
    // subfolder may be one the walk is already inside.
    bool belowLink = false;
    // With facts asked for: those of each subfolder, once its frame is done (none for one
    // that could not be read), and the totals of everything below this folder.
    std::vector<std::optional<FolderFacts>> subfolderFacts = {};
    FolderFacts below = {};
#ifdef _WIN32
    // Read only when a folder below a link needs to be compared with it.
    std::optional<FolderIdentity> identity = std::nullopt;
    bool identityRead = false;
#endif
};

class Walk {
  public:
    Walk(FolderSink& results, bool recurse, bool limitDepth, const WalkContext& context)
        : results_(results), recurse_(recurse), limitDepth_(limitDepth), context_(context) {}

    ~Walk() {
        while (!frames_.empty())
            pop();
    }

    void run(std::string_view root, int depth) {
        readRoot(root, depth);
        if (frames_.empty()) return;
        const FolderNode& top = *frames_.front().node;
        if (context_.readers > 1 && entersSubfolders(top) && top.contents.count() > 0) {
            // Readers never read through links, so on Windows, where only links lead to other
            // volumes, they need not check the volume.
            const auto device = kVolumesJoinOnlyAtLinks ? std::nullopt : device_;
            readAhead_.emplace(context_.readers, recurse_, limitDepth_, device,
                               context_.readAheadLimits, context_.rules);
            readAhead_->offer(frames_.front().node);
        }
        while (!frames_.empty() && !results_.stopped()) {
            Frame& current = frames_.back();
            if (entersSubfolders(*current.node) && current.next < current.node->contents.count()) {
                enter(frames_.size() - 1, current.next++);
            } else {
                if (!current.node->factsOnly) appendBlock(frames_.size() - 1);
                pop();
            }
        }
        while (!frames_.empty())
            pop();
        readAhead_.reset();
    }

  private:
    bool descends(int depth) const { return recurse_ && (!limitDepth_ || depth > 1); }

    bool factsWanted() const { return context_.rules.facts != FactsWanted::None; }

    // Whether the walk enters the subfolders of `node`: to list what is below them, or only
    // to read their facts.
    bool entersSubfolders(const FolderNode& node) const {
        return node.descend || (factsWanted() && !node.factsOnly);
    }

    // The path below the target that an exclusion by path needs, or nothing.
    std::string relativePrefix(const FolderNode& node) const {
        const FolderExclusion* exclude = context_.rules.exclude;
        return exclude && exclude->needsPath() ? RelativePathOf(node) : std::string();
    }

    void report(const FolderNode& node) {
        if (node.error != 0 && node.error != kOtherVolume) {
            results_.unreadable(pathOf(frames_.size()), node.error);
        }
    }

    // A node for subfolder i of the folder at `level`, whose path enterPath has formed.
    std::shared_ptr<FolderNode> subfolderNode(size_t level, size_t i) {
        const std::shared_ptr<FolderNode>& parent = frames_[level].node;
        auto node = std::make_shared<FolderNode>();
        node->parent = parent;
        node->indexInParent = i;
        node->level = level + 1;
        node->depth = parent->depth - 1;
        node->factsOnly = !parent->descend;
        node->descend = !node->factsOnly && descends(node->depth);
        return node;
    }

    // Subfolder i of the folder at `level`: taken from the read-ahead when a reader has read
    // it, read here otherwise.
    void enter(size_t level, size_t i) {
        const bool belowLink =
            frames_[level].belowLink || frames_[level].node->contents.throughLink(i);
        enterPath(level, i);
        if (readAhead_) {
            if (auto node = readAhead_->take(*frames_[level].node, i, context_.yield)) {
                adopt(std::move(node));
                return;
            }
        }
        read(level, i, belowLink);
    }

    // A folder a reader has read. Its yields are made now, one as it opened and one per
    // entry, so that the window runs as often as when the walk reads for itself.
    void adopt(std::shared_ptr<FolderNode> node) {
        if (leadsBackInside(*node)) {
            readAhead_->finish(*node);
            leavePath();
            return;
        }
        for (size_t k = 0; k <= node->contents.entriesSeen; ++k)
            yieldTo(context_.yield);
        report(*node);
        push(std::move(node), false, -1);
    }

    void prepareFacts(Frame& frame) {
        if (factsWanted() && entersSubfolders(*frame.node)) {
            frame.subfolderFacts.assign(frame.node->contents.count(), std::nullopt);
        }
    }

    void appendBlock(size_t level) {
        const Frame& frame = frames_[level];
        const FolderNode& node = *frame.node;
        for (size_t i = 0; i < node.contents.count(); ++i) {
            yieldTo(context_.yield);
            const FolderFacts* facts = nullptr;
            if (i < frame.subfolderFacts.size() && frame.subfolderFacts[i]) {
                facts = &*frame.subfolderFacts[i];
            }
            results_.appendFolder(subfolderPath(level, i), static_cast<int>(level) + 1, facts);
            if (results_.stopped()) return;
        }
    }

    // Hands the facts of the folder whose frame is done to its parent's block.
    void passFactsUp(const Frame& frame) {
        if (!factsWanted() || frames_.size() < 2 || frame.node->error != 0) return;
        Frame& parent = frames_[frames_.size() - 2];
        FolderFacts facts = frame.node->contents.facts;
        if (context_.rules.totals) {
            facts.addBelow(frame.below);
            parent.below.addBelow(facts);
        }
        parent.subfolderFacts[frame.node->indexInParent] = facts;
    }

    void pop() {
        Frame& frame = frames_.back();
        passFactsUp(frame);
#ifndef _WIN32
        if (frame.node->identity) inside_.erase(*frame.node->identity);
        chain_.pop();
#endif
        if (readAhead_) readAhead_->finish(*frame.node);
        frames_.pop_back();
    }

#ifndef _WIN32
    // Paths and descriptors are the chain's (OpenChain). Nodes keep a copy of their path only
    // while it is short enough for a reader to open.
    std::string_view pathOf(size_t level) const {
        return level < frames_.size() ? chain_.pathOf(level) : std::string_view(chain_.path());
    }

    void enterPath(size_t level, size_t i) {
        chain_.enter(level, frames_[level].node->contents.name(i));
    }

    void leavePath() {
        chain_.leave();
    }

    const std::string& subfolderPath(size_t level, size_t i) {
        scratch_.assign(pathOf(level)).append(frames_[level].node->contents.name(i)).push_back('/');
        return scratch_;
    }

    void readRoot(std::string_view root, int depth) {
        auto node = std::make_shared<FolderNode>();
        // The POSIX rule is idempotent, so one pass over the root keeps every path below it
        // clean.
        chain_.start(CollapseSlashRuns(root), context_.readers);
        node->path = chain_.path();
        node->depth = depth;
        node->descend = descends(depth);
        const int handle = OpenFolderAt(AT_FDCWD, chain_.path().c_str());
        node->error = handle < 0 ? errno : 0;
        std::optional<std::int64_t> modified;
        if (handle >= 0) node->identity = IdentityOfHandle(handle, &modified);
        // Read before the yield, whose event handling may well change errno.
        yieldTo(context_.yield);
        if (handle < 0) {
            report(*node);
            return;
        }
        if (context_.stayOnVolume && node->identity) device_ = node->identity->device;
        node->error = ReadSubfolders(handle, node->contents, context_.yield, context_.rules);
        node->contents.facts.modified = modified;
        report(*node);
        push(std::move(node), false, handle);
    }

    // A folder the walk is inside (a link or a mount leading back up): listed in its
    // parent's block, never entered again.
    bool leadsBackInside(const FolderNode& node) const {
        return node.identity && inside_.contains(*node.identity);
    }

    void read(size_t level, size_t i, bool belowLink) {
        auto node = subfolderNode(level, i);
        // Readers open by full path, so only a folder with a short one is offered to them.
        const bool offer =
            readAhead_ && !belowLink && chain_.path().size() <= LongestPathReadAhead();
        if (offer) node->path = chain_.path();
        const int handle = chain_.openEntered(level);
        node->error = handle < 0 ? errno : 0;
        std::optional<std::int64_t> modified;
        if (handle >= 0) {
            node->identity = IdentityOfHandle(handle, &modified);
            if (leadsBackInside(*node)) {
                close(handle);
                leavePath();
                return;
            }
        }
        yieldTo(context_.yield);
        if (handle < 0) {
            report(*node);
            leavePath();
            return;
        }
        if (device_ && (!node->identity || node->identity->device != *device_)) {
            close(handle);  // another volume: listed, not entered
            leavePath();
            return;
        }
        node->error = ReadSubfolders(handle, node->contents, context_.yield, context_.rules,
                                     relativePrefix(*node));
        node->contents.facts.modified = modified;
        report(*node);
        push(node, belowLink, handle);
        if (offer) readAhead_->offer(node);
    }

    void push(std::shared_ptr<FolderNode> node, bool belowLink, int handle) {
        if (node->identity) inside_.insert(*node->identity);
        chain_.push(handle, entersSubfolders(*node) && node->contents.count() > 0);
        frames_.push_back({std::move(node), 0, belowLink});
        prepareFacts(frames_.back());
    }

#else
    // Paths. Each folder keeps its own, formed from its parent's by the Windows rule, which
    // is not idempotent; Windows takes no path beyond 32,767 characters anyway.
    std::string_view pathOf(size_t level) const {
        return level < frames_.size() ? frames_[level].node->path : std::string_view(childPath_);
    }

    void enterPath(size_t level, size_t i) {
        FormSubfolderPath(childPath_, frames_[level].node->path,
                          frames_[level].node->contents.name(i));
    }

    void leavePath() {}

    const std::string& subfolderPath(size_t level, size_t i) {
        FormSubfolderPath(scratch_, frames_[level].node->path,
                          frames_[level].node->contents.name(i));
        return scratch_;
    }

    void readRoot(std::string_view root, int depth) {
        auto node = std::make_shared<FolderNode>();
        node->path.assign(root);
        childPath_ = node->path;
        node->depth = depth;
        node->descend = descends(depth);
        if (context_.stayOnVolume) {
            node->identity = IdentityOfFolder(node->path);
            if (node->identity) device_ = node->identity->device;
        }
        node->error = ReadSubfolders(node->path, node->contents, context_.yield, context_.rules);
        report(*node);
        push(std::move(node), false, -1);
    }

    // Only a folder reached through a link can be one the walk is inside on Windows, and
    // readers never read through links, so a read-ahead folder never is.
    bool leadsBackInside(const FolderNode&) const {
        return false;
    }

    const std::optional<FolderIdentity>& identityOf(size_t level) {
        Frame& frame = frames_[level];
        if (!frame.identityRead) {
            frame.identity =
                frame.node->identity ? frame.node->identity : IdentityOfFolder(frame.node->path);
            frame.identityRead = true;
        }
        return frame.identity;
    }

    void read(size_t level, size_t i, bool belowLink) {
        auto node = subfolderNode(level, i);
        node->path = childPath_;
        if (belowLink) {
            // Compared with the chain before it is read, so a loop costs no listing. One
            // whose identity cannot be read is read all the same: its read reports why.
            node->identity = IdentityOfFolder(node->path);
            if (node->identity) {
                for (size_t k = 0; k <= level; ++k) {
                    if (identityOf(k) == node->identity) return;
                }
            }
        }
        if (device_ && frames_[level].node->contents.throughLink(i)) {
            if (!node->identity) node->identity = IdentityOfFolder(node->path);
            if (node->identity && node->identity->device != *device_) return;
        }
        node->error = ReadSubfolders(node->path, node->contents, context_.yield, context_.rules,
                                     relativePrefix(*node));
        report(*node);
        const bool offer = readAhead_ && !belowLink;
        push(node, belowLink, -1);
        if (offer) readAhead_->offer(node);
    }

    void push(std::shared_ptr<FolderNode> node, bool belowLink, int) {
        frames_.push_back({std::move(node), 0, belowLink});
        prepareFacts(frames_.back());
    }

    std::string childPath_;
#endif

    FolderSink& results_;
    const bool recurse_;
    const bool limitDepth_;
    const WalkContext& context_;
    std::optional<std::uint64_t> device_;
    std::vector<Frame> frames_;
    std::optional<ReadAhead> readAhead_;
    std::string scratch_;
#ifndef _WIN32
    OpenChain chain_;
    // The identities of the folders on the chain.
    std::unordered_set<FolderIdentity, IdentityHash> inside_;
#endif
};

}  // namespace

void GetSubDirectoriesUnique(std::string_view path, FolderSink& results, bool recurse,
                             bool limitDepth, std::int16_t depth, const WalkContext& context) {
    Walk(results, recurse, limitDepth, context).run(path, depth);
}

}  // namespace quorvane
