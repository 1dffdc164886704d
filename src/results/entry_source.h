#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

namespace quorvane {

// Reads entries of a list one after another, as a pass over it does, keeping what it needs
// between reads to make the next path cheaply.
class EntryReader {
  public:
    virtual ~EntryReader() = default;
    // Entry `index` (0-based, below the list's size), valid until the next read. Its first
    // `shared` bytes are the same as those of the entry read before, and end where a name ends
    // in both (at a separator or at the end), so whatever was worked out from them still holds;
    // 0 when nothing is known to be shared.
    virtual std::string_view read(size_t index, size_t& shared) = 0;
};

// A list of entries that exports and filters read: the window's results list, or the paths
// that quorvane-list keeps.
class EntrySource {
  public:
    virtual ~EntrySource() = default;
    virtual size_t size() const = 0;
    bool empty() const { return size() == 0; }
    // Grows whenever entries are removed or the list is cleared, never on append (see
    // ListScan).
    virtual std::uint64_t removalCount() const = 0;
    virtual std::unique_ptr<EntryReader> reader() const = 0;
};

}  // namespace quorvane
