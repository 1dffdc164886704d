#include "results/folder_tree.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace quorvane {

namespace {

// A name's length comes before its bytes, seven bits to a byte, the lowest first; a byte with
// its top bit set has another after it. Nearly every name takes one byte.
constexpr size_t kLongestLengthBytes = 10;

size_t PutLength(size_t length, unsigned char* out) {
    size_t count = 0;
    while (length >= 0x80) {
        out[count++] = static_cast<unsigned char>(length | 0x80);
        length >>= 7;
    }
    out[count++] = static_cast<unsigned char>(length);
    return count;
}

}  // namespace

FolderTree::Node FolderTree::add(Node parent, std::string_view name) {
    if (size() >= kNoParent) throw std::bad_alloc();
    unsigned char length[kLongestLengthBytes];
    const size_t lengthBytes = PutLength(name.size(), length);
    const size_t needed = lengthBytes + name.size();
    // Every allocation first: a refused one leaves the tree as it was.
    names_.makeRoom();
    parents_.makeRoom();
    if (blocks_.empty() || used_ + needed > blocks_.back().capacity) {
        // A name longer than a block gets a block of its own size; names never straddle blocks.
        const size_t capacity = std::max(kBlockSize, needed);
        blocks_.push_back({std::make_unique_for_overwrite<char[]>(capacity), capacity});
        used_ = 0;
    }
    char* at = blocks_.back().bytes.get() + used_;
    std::memcpy(at, length, lengthBytes);
    if (!name.empty()) std::memcpy(at + lengthBytes, name.data(), name.size());
    names_.push_back((static_cast<std::uint64_t>(blocks_.size() - 1) << 32) | used_);
    parents_.push_back(parent);
    used_ += needed;
    nameBytes_ += name.size();
    return static_cast<Node>(parents_.size() - 1);
}

std::string_view FolderTree::name(Node node) const {
    const std::uint64_t at = names_[node];
    const auto* bytes =
        reinterpret_cast<const unsigned char*>(blocks_[at >> 32].bytes.get() + (at & 0xFFFFFFFFu));
    size_t length = 0;
    unsigned shift = 0;
    do {
        length |= static_cast<size_t>(*bytes & 0x7F) << shift;
        shift += 7;
    } while (*bytes++ & 0x80);
    return {reinterpret_cast<const char*>(bytes), length};
}

void FolderTree::clear() {
    parents_.clear();
    names_.clear();
    blocks_.clear();
    blocks_.shrink_to_fit();
    used_ = 0;
    nameBytes_ = 0;
}

size_t FolderTree::memoryUsage() const {
    size_t bytes =
        parents_.memoryUsage() + names_.memoryUsage() + blocks_.capacity() * sizeof(Block);
    for (const Block& block : blocks_)
        bytes += block.capacity;
    return bytes;
}

}  // namespace quorvane
