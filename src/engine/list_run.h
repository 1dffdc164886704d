#pragma once

#include <cstdint>
#include <string_view>

#include "engine/folder_walk.h"

namespace quorvane {

// One folder as a run hands it on.
struct ListedFolder {
    std::string_view entry;  // as the results list shows it: without the trailing separator
    int level = 1;           // 1 for the target's own subfolders
    const FolderFacts* facts = nullptr;  // when the walk gathers them and could read the folder
};

// Receives results list entries: full folder paths without the trailing separator.
class EntrySink {
  public:
    virtual ~EntrySink() = default;
    virtual void appendEntry(std::string_view entry) = 0;
    // The same with the folder's level and facts; the run calls this one.
    virtual void appendFolder(const ListedFolder& folder) { appendEntry(folder.entry); }
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
