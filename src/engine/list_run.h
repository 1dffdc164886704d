#pragma once

#include <cstdint>
#include <string_view>

#include "engine/folder_walk.h"

namespace quorvane {

// Receives results list entries: full folder paths without the trailing separator.
class EntrySink {
  public:
    virtual ~EntrySink() = default;
    virtual void appendEntry(std::string_view entry) = 0;
    // A folder below the root that could not be listed (it added nothing).
    virtual void unreadable(std::string_view /*folderPath*/, int /*error*/) {}
    // True once the sink takes nothing more (a write failed): the walk then ends at once.
    virtual bool stopped() const { return false; }
};

// How deep a run goes: every level, or levels 1 to `depth`.
struct DepthChoice {
    bool limitDepth = false;
    std::int16_t depth = 0;
};

// Walks one target root (folder path form) and hands every folder found to `entries` as the
// results list shows it, in the walk's order, as soon as its block is final.
void ListFolders(std::string_view root, DepthChoice depth, EntrySink& entries,
                 const WalkContext& context = {});

}  // namespace quorvane
