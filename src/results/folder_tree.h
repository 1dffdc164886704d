#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "results/chunked_array.h"

namespace quorvane {

// Folders as names under their parents: each folder is stored once, whatever number of paths
// pass through it. A node never changes or goes once added, so a node stays valid, with its
// name and its parent, for as long as the tree holds anything; only clear() lets go of them.
//
// A node costs its name's bytes, one to three bytes for the name's length and twelve more.
// Names are bytes, not necessarily UTF-8; a node without a parent may hold any text (the first
// part of a path, before its first separator).
class FolderTree {
  public:
    using Node = std::uint32_t;
    static constexpr Node kNoParent = UINT32_MAX;

    FolderTree() = default;
    FolderTree(const FolderTree&) = delete;
    FolderTree& operator=(const FolderTree&) = delete;
    FolderTree(FolderTree&&) = default;
    FolderTree& operator=(FolderTree&&) = default;

    // Throws std::bad_alloc, changing nothing, when the tree cannot take one more node.
    Node add(Node parent, std::string_view name);
    Node parent(Node node) const { return parents_[node]; }
    std::string_view name(Node node) const;

    size_t size() const { return parents_.size(); }
    void clear();

    // Every byte the tree holds for its nodes and names.
    size_t memoryUsage() const;
    // The bytes of the names alone.
    size_t nameBytes() const { return nameBytes_; }

  private:
    struct Block {
        std::unique_ptr<char[]> bytes;
        size_t capacity = 0;
    };
    static constexpr size_t kBlockSize = size_t{1} << 20;

    ChunkedArray<Node> parents_;
    // Where each name's length lies in the blocks: the block's index in the upper 32 bits, the
    // offset in the lower.
    ChunkedArray<std::uint64_t> names_;
    std::vector<Block> blocks_;
    size_t used_ = 0;  // of the last block
    size_t nameBytes_ = 0;
};

}  // namespace quorvane
