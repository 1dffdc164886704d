#pragma once

#include <string_view>

#include "engine/folder_facts.h"

namespace quorvane {

// Where the walk puts what it finds. Folders arrive in their final order, each in folder path
// form (ending with one separator); a folder's block is final once its descent ends, so a sink
// can pass them on at once instead of holding the whole tree.
class FolderSink {
  public:
    virtual ~FolderSink() = default;
    virtual void append(std::string_view folderPath) = 0;
    // The same with what else the walk knows of the folder: its level (1 for the target's own
    // subfolders) and, when the walk gathers them, the facts of its entries (null for a
    // folder that could not be read). The walk calls this one.
    virtual void appendFolder(std::string_view folderPath, int /*level*/,
                              const FolderFacts* /*facts*/) {
        append(folderPath);
    }
    // A folder that could not be listed; it adds nothing. `error` is the system error code.
    virtual void unreadable(std::string_view /*folderPath*/, int /*error*/) {}
    // True once the sink takes nothing more (a write failed): the walk then ends at once.
    virtual bool stopped() const { return false; }
};

}  // namespace quorvane
