#pragma once

#include <string_view>

#include "base/status.h"
#include "engine/folder_facts.h"

namespace quorvane {

// One folder as a walk hands it on.
struct ListedFolder {
    std::string_view entry;  // as the results list shows it: the full path, no separator at the end
    int level = 1;           // 1 for the target's own subfolders
    const FolderFacts* facts = nullptr;  // when the walk gathers them and could read the folder
};

// Where a walk puts what it finds. Folders arrive in their final order; a folder's block is
// final once its descent ends, so a sink can pass them on at once instead of holding the tree.
// The walk cannot be answered from append(): a sink whose output fails keeps the failure,
// says stopped(), and gives the failure to its owner from a call of its own once the walk has
// returned (the one place below the window where a failure waits in a field).
class FolderSink {
  public:
    virtual ~FolderSink() = default;
    virtual void append(const ListedFolder& folder) = 0;
    // A folder that could not be read (folder path form), and why; it adds nothing.
    virtual void unreadable(std::string_view /*folderPath*/, Status /*why*/) {}
    // True once the sink takes nothing more (a write failed): the walk then ends at once.
    virtual bool stopped() const { return false; }
};

}  // namespace quorvane
