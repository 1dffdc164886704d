#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>

namespace quorvane {

// How deep a walk lists: every level, or levels 1 to `depth` (a depth below 1 counts as 1).
struct DepthChoice {
    bool limitDepth = false;
    std::int16_t depth = 0;
};

// Which folders a walk reads and whose subfolders it lists, by level: the target is level 0,
// its own subfolders level 1. Every thread of the walk asks here.
class WalkLevels {
  public:
    // `facts`: the folders at the depth limit are read too, for the facts of their entries,
    // though their subfolders are not listed.
    WalkLevels(DepthChoice depth, bool facts)
        : deepestListed_(depth.limitDepth ? std::max(1, int{depth.depth}) : INT_MAX),
          deepestRead_(depth.limitDepth && !facts ? deepestListed_ - 1 : deepestListed_) {}

    // Whether a folder at `level` is read.
    bool reads(int level) const { return level <= deepestRead_; }
    // Whether the walk enters the subfolders of a folder at `level` to read them.
    bool entersSubfoldersOf(int level) const { return level < deepestRead_; }
    // Whether the subfolders of a folder at `level` are listed.
    bool listsSubfoldersOf(int level) const { return level < deepestListed_; }

  private:
    int deepestListed_;
    int deepestRead_;
};

}  // namespace quorvane
