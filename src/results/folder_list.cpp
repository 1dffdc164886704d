#include "results/folder_list.h"

#include <algorithm>
#include <thread>
#include <utility>

#include "engine/path_rules.h"

namespace quorvane {

namespace {

// How far past the next waiting subfolder a path's folder is looked for among the waiting
// ones: a walk lists them in the order it made them, so the first one nearly always matches,
// and a few more cover a folder that went missing meanwhile.
constexpr size_t kWaitingLookAhead = 8;

// A list holding this much is let go of on a thread of its own.
constexpr size_t kLetGoAside = size_t{16} << 20;

// Reads paths in the list's order, making each from the folders it shares with the one before
// only from the first folder that differs.
class FolderPathReader : public EntryReader {
  public:
    FolderPathReader(const FolderTree& tree, const ChunkedArray<FolderTree::Node>& order)
        : tree_(tree), order_(order) {}

    std::string_view read(size_t index, size_t& shared) override {
        // Up from the entry's folder to the first folder of the path made last. A folder is
        // always made after its parent, so the folders of a path grow in number from the
        // first: a search finds one among them.
        ancestors_.clear();
        size_t kept = 0;
        for (FolderTree::Node node = order_[index]; node != FolderTree::kNoParent;
             node = tree_.parent(node)) {
            const auto found = std::lower_bound(chain_.begin(), chain_.end(), node);
            if (found != chain_.end() && *found == node) {
                kept = static_cast<size_t>(found - chain_.begin()) + 1;
                break;
            }
            ancestors_.push_back(node);
        }
        chain_.resize(kept);
        ends_.resize(kept);
        path_.resize(kept == 0 ? 0 : ends_.back());
        shared = path_.size();
        for (auto node = ancestors_.rbegin(); node != ancestors_.rend(); ++node) {
            if (!chain_.empty()) path_ += kSeparator;
            path_ += tree_.name(*node);
            chain_.push_back(*node);
            ends_.push_back(path_.size());
        }
        return path_;
    }

  private:
    const FolderTree& tree_;
    const ChunkedArray<FolderTree::Node>& order_;
    std::vector<FolderTree::Node> ancestors_;  // below the folders shared, the entry's first
    std::vector<FolderTree::Node> chain_;      // of the path made last, from its first folder
    std::vector<size_t> ends_;                 // where each of those ends in path_
    std::string path_;
};

}  // namespace

std::unique_ptr<EntryReader> FolderList::reader() const {
    return std::make_unique<FolderPathReader>(tree_, order_);
}

void FolderList::path(size_t index, std::string& path) const {
    size_t shared = 0;
    path = FolderPathReader(tree_, order_).read(index, shared);
}

std::string FolderList::path(size_t index) const {
    std::string text;
    path(index, text);
    return text;
}

void FolderList::setLevel(size_t level, Node node, size_t end) {
    if (level == chain_.size()) chain_.push_back({});
    ChainLevel& at = chain_[level];
    if (level >= depth_ || at.node != node) {
        at.waiting.clear();
        at.nextWaiting = 0;
    }
    at.node = node;
    at.end = end;
    depth_ = level + 1;
}

void FolderList::tookWaiting(ChainLevel& parent, size_t taken) {
    parent.nextWaiting = taken + 1;
    if (parent.nextWaiting < parent.waiting.size()) return;
    parent.waiting.clear();
    parent.nextWaiting = 0;
}

size_t FolderList::findWaiting(const ChainLevel& parent, std::string_view name) const {
    const size_t end = std::min(parent.waiting.size(), parent.nextWaiting + kWaitingLookAhead);
    for (size_t i = parent.nextWaiting; i < end; ++i) {
        if (tree_.name(parent.waiting[i]) == name) return i;
    }
    return kNotWaiting;
}

FolderList::Node FolderList::folderFor(size_t level, std::string_view name, bool waits) {
    if (level == 0) return tree_.add(FolderTree::kNoParent, name);
    ChainLevel& parent = chain_[level - 1];
    if (const size_t i = findWaiting(parent, name); i != kNotWaiting) {
        const Node node = parent.waiting[i];
        if (!waits) tookWaiting(parent, i);
        return node;
    }
    const Node node = tree_.add(parent.node, name);
    if (waits) parent.waiting.push_back(node);
    return node;
}

void FolderList::append(std::string_view path) {
    // The folders this path shares with the last one: whole names, equal bytes up to their end.
    const size_t same = static_cast<size_t>(
        std::mismatch(path.begin(), path.end(), lastPath_.begin(), lastPath_.end()).first -
        path.begin());
    size_t level = 0;
    while (level < depth_ && chain_[level].end <= same &&
           (chain_[level].end == path.size() || path[chain_[level].end] == kSeparator)) {
        ++level;
    }
    // Made ready first, so that a failure below leaves the list as it was: folders already
    // made then stay unused, and the next path starts a chain of its own.
    order_.push_back(FolderTree::kNoParent);
    try {
        order_[order_.size() - 1] = folderOf(path, level);
        lastPath_.assign(path);
    } catch (...) {
        order_.truncate(order_.size() - 1);
        depth_ = 0;
        lastPath_.clear();
        throw;
    }
}

FolderList::Node FolderList::folderOf(std::string_view path, size_t level) {
    if (level > 0 && chain_[level - 1].end == path.size()) {
        // The folder of a path appended before: a walk lists a folder after its subfolders.
        const Node node = chain_[level - 1].node;
        if (level > 1) {
            ChainLevel& parent = chain_[level - 2];
            if (const size_t i = findWaiting(parent, tree_.name(node));
                i != kNotWaiting && parent.waiting[i] == node) {
                tookWaiting(parent, i);
            }
        }
        depth_ = level;
        return node;
    }
    size_t start = level == 0 ? 0 : chain_[level - 1].end + 1;
    for (;;) {
        const size_t separator = path.find(kSeparator, start);
        const size_t end = separator == std::string_view::npos ? path.size() : separator;
        const bool last = end == path.size();
        const Node node = folderFor(level, path.substr(start, end - start), !last);
        setLevel(level, node, end);
        if (last) return node;
        ++level;
        start = end + 1;
    }
}

FolderList& FolderList::operator=(FolderList&& other) noexcept {
    if (this == &other) return *this;
    const std::uint64_t removals = std::max(removals_, other.removals_) + 1;
    tree_ = std::move(other.tree_);
    order_ = std::move(other.order_);
    lastPath_ = std::move(other.lastPath_);
    chain_ = std::move(other.chain_);
    depth_ = other.depth_;
    removals_ = removals;
    other.clear();
    return *this;
}

void FolderList::clear() {
    ++removals_;
    if (memoryUsage() >= kLetGoAside) {
        // Giving hundreds of MiB back to the system takes it a tenth of a second and more,
        // which the window would feel: a thread of its own does that.
        try {
            auto retired = std::make_unique<Storage>(std::move(tree_), std::move(order_));
            std::thread([retired = std::move(retired)] {}).detach();
        } catch (...) {
            // Without a thread, here, a moment later.
        }
    }
    tree_.clear();
    order_.clear();
    lastPath_.clear();
    lastPath_.shrink_to_fit();
    chain_.clear();
    chain_.shrink_to_fit();
    depth_ = 0;
}

void FolderList::removeAt(size_t index) {
    if (order_.size() == 1) {
        clear();
        return;
    }
    ++removals_;
    // The later entries move down by one, a chunk at a time.
    for (size_t first = index; first + 1 < order_.size();) {
        size_t length = 0;
        Node* run = order_.run(first, length);
        std::copy(run + 1, run + length, run);
        first += length;
        if (first < order_.size()) run[length - 1] = order_[first];
    }
    order_.truncate(order_.size() - 1);
}

size_t FolderList::removeIf(const std::function<bool(size_t)>& remove) {
    return removeWhere(remove);
}

size_t FolderList::removeMarked(const std::vector<bool>& marked) {
    // Asked in order, once for each entry: the marks are read one after another.
    auto mark = marked.begin();
    return removeWhere([&mark, end = marked.end()](size_t) { return mark != end && *mark++; });
}

template <typename Remove>
size_t FolderList::removeWhere(Remove&& remove) {
    // The kept entries move down in place, a chunk at a time; each index is asked once, in
    // order.
    const size_t count = order_.size();
    size_t kept = 0;
    Node* out = nullptr;  // where the next kept entry goes, with room for `room` in its chunk
    size_t room = 0;
    for (size_t first = 0; first < count;) {
        size_t length = 0;
        const Node* run = order_.run(first, length);
        for (size_t k = 0; k < length; ++k) {
            if (remove(first + k)) continue;
            if (room == 0) out = order_.run(kept, room);
            *out++ = run[k];
            --room;
            ++kept;
        }
        first += length;
    }
    const size_t removed = count - kept;
    if (removed == 0) return 0;
    if (kept == 0) {
        // Nothing shows any folder any more.
        clear();
        return removed;
    }
    ++removals_;
    order_.truncate(kept);
    return removed;
}

size_t FolderList::memoryUsage() const {
    size_t bytes = tree_.memoryUsage() + order_.memoryUsage() + lastPath_.capacity() +
                   chain_.capacity() * sizeof(ChainLevel);
    for (const ChainLevel& level : chain_)
        bytes += level.waiting.capacity() * sizeof(Node);
    return bytes;
}

}  // namespace quorvane
