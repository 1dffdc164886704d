#include "results/path_list.h"

#include <algorithm>
#include <cstring>

namespace quorvane {

namespace {

std::uint64_t location(size_t block, size_t offset) {
    return (static_cast<std::uint64_t>(block) << 32) | offset;
}
size_t blockOf(std::uint64_t location) {
    return static_cast<size_t>(location >> 32);
}
size_t offsetOf(std::uint64_t location) {
    return static_cast<size_t>(location & 0xFFFFFFFFu);
}

class WholePathReader : public EntryReader {
  public:
    explicit WholePathReader(const PathList& list) : list_(list) {}
    std::string_view read(size_t index, size_t& shared) override {
        shared = 0;
        return list_[index];
    }

  private:
    const PathList& list_;
};

}  // namespace

std::unique_ptr<EntryReader> PathList::reader() const {
    return std::make_unique<WholePathReader>(*this);
}

std::string_view PathList::operator[](size_t i) const {
    const std::uint64_t at = locations_[i];
    return {blocks_[blockOf(at)].bytes.get() + offsetOf(at), lengths_[i]};
}

void PathList::makeRoom(size_t length) {
    if (!blocks_.empty() && used_ + length <= blocks_.back().capacity) return;
    // An entry longer than a block gets a block of its own size; entries never straddle blocks.
    const size_t capacity = std::max(kBlockSize, length);
    blocks_.push_back({std::make_unique<char[]>(capacity), capacity});
    used_ = 0;
}

void PathList::append(std::string_view path) {
    // Every allocation first: a refused one leaves the list as it was.
    if (locations_.size() == locations_.capacity()) locations_.reserve(2 * locations_.size() + 16);
    if (lengths_.size() == lengths_.capacity()) lengths_.reserve(2 * lengths_.size() + 16);
    makeRoom(path.size());
    Block& block = blocks_.back();
    if (!path.empty()) std::memcpy(block.bytes.get() + used_, path.data(), path.size());
    locations_.push_back(location(blocks_.size() - 1, used_));
    lengths_.push_back(static_cast<std::uint32_t>(path.size()));
    used_ += path.size();
}

PathList& PathList::operator=(PathList&& other) noexcept {
    if (this == &other) return *this;
    const std::uint64_t removals = std::max(removals_, other.removals_) + 1;
    blocks_ = std::move(other.blocks_);
    used_ = other.used_;
    locations_ = std::move(other.locations_);
    lengths_ = std::move(other.lengths_);
    removals_ = removals;
    other.clear();
    return *this;
}

void PathList::clear() {
    ++removals_;
    blocks_.clear();
    blocks_.shrink_to_fit();
    locations_.clear();
    locations_.shrink_to_fit();
    lengths_.clear();
    lengths_.shrink_to_fit();
    used_ = 0;
}

void PathList::removeAt(size_t i) {
    removeIf([i](size_t k) { return k == i; });
}

size_t PathList::removeIf(const std::function<bool(size_t)>& remove) {
    // The kept entries are packed again from the first block on. Packing a subsequence by the
    // same rule never puts an entry after the place it came from, so each copy only moves
    // bytes backwards over bytes already read.
    size_t block = 0;
    size_t used = 0;
    size_t kept = 0;
    const size_t count = size();
    for (size_t i = 0; i < count; ++i) {
        if (remove(i)) continue;
        const size_t length = lengths_[i];
        while (used + length > blocks_[block].capacity) {
            ++block;
            used = 0;
        }
        const std::uint64_t from = locations_[i];
        char* target = blocks_[block].bytes.get() + used;
        const char* source = blocks_[blockOf(from)].bytes.get() + offsetOf(from);
        if (target != source && length > 0) std::memmove(target, source, length);
        locations_[kept] = location(block, used);
        lengths_[kept] = static_cast<std::uint32_t>(length);
        used += length;
        ++kept;
    }
    const size_t removed = count - kept;
    if (removed == 0) return 0;
    if (kept == 0) {
        clear();
        return removed;
    }
    ++removals_;
    locations_.resize(kept);
    lengths_.resize(kept);
    blocks_.resize(block + 1);
    used_ = used;
    return removed;
}

size_t PathList::memoryUsage() const {
    size_t bytes = locations_.capacity() * sizeof(std::uint64_t) +
                   lengths_.capacity() * sizeof(std::uint32_t) + blocks_.capacity() * sizeof(Block);
    for (const Block& block : blocks_)
        bytes += block.capacity;
    return bytes;
}

}  // namespace quorvane
