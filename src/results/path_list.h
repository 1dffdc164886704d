#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "results/entry_source.h"

namespace quorvane {

// A list of whole paths, kept byte for byte as the file system gave them, for quorvane-list's
// formats that need every entry before their first line. Entries are packed into large
// blocks, so a million entries cost their bytes plus twelve bytes each, and removing many
// entries is one compacting pass.
//
// Indexes here are 0-based (ResultsList has the list's 1-based ones).
class PathList : public EntrySource {
  public:
    PathList() = default;
    PathList(const PathList&) = delete;
    PathList& operator=(const PathList&) = delete;
    PathList(PathList&&) = default;
    // Counts as removing every entry the list held (see removalCount()).
    PathList& operator=(PathList&& other) noexcept;

    size_t size() const override { return lengths_.size(); }
    std::string_view operator[](size_t i) const;

    void append(std::string_view path);
    void clear();
    void removeAt(size_t i);
    // Removes, in one pass that keeps the order of the rest, every entry i for which
    // `remove(i)` is true. Returns how many were removed.
    size_t removeIf(const std::function<bool(size_t)>& remove);

    // The bytes held for the entries, their packing included.
    size_t memoryUsage() const;

    // Grows whenever entries are removed or the list is replaced, never on append. A loop that
    // lets the window run between reads compares it to know that each index still names the
    // entry it named when the loop began.
    std::uint64_t removalCount() const override { return removals_; }
    // Reads each path whole.
    std::unique_ptr<EntryReader> reader() const override;

  private:
    struct Block {
        std::unique_ptr<char[]> bytes;
        size_t capacity = 0;
    };
    static constexpr size_t kBlockSize = 1 << 20;

    // Where the next entry of `length` bytes goes when the last block is filled to `used`.
    void makeRoom(size_t length);

    std::vector<Block> blocks_;
    size_t used_ = 0;  // bytes used in the last block
    // Location of each entry: block index in the upper 32 bits, offset in the lower.
    std::vector<std::uint64_t> locations_;
    std::vector<std::uint32_t> lengths_;
    std::uint64_t removals_ = 0;
};

}  // namespace quorvane
