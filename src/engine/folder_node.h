#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/folder_contents.h"
#include "engine/folder_identity.h"

namespace quorvane {

// One folder as the walk reads it: where it is, what its read found, and where it sits in the
// walk, shared between the walk and the read-ahead that may read it first.
//
// Everything but the read-ahead's bookkeeping is fixed once the node is handed over.
struct FolderNode {
    std::string path;  // folder path form
    FolderContents contents;
    int error = 0;  // 0, kOtherVolume, or the system's error code of a failed read
    std::optional<FolderIdentity> identity;
    int depth = 0;         // the walk's depth argument for this folder
    bool descend = false;  // whether the walk enters its subfolders
    // Read only for the facts of its entries (FolderFacts): a folder at the depth limit,
    // whose subfolders are not listed.
    bool factsOnly = false;
    size_t level = 0;  // 0 for the target
    std::shared_ptr<FolderNode> parent;
    size_t indexInParent = 0;

    // The read-ahead's bookkeeping of the subfolders, guarded by its lock: who reads each one
    // (see ReadAhead), and the reads that are done but not yet taken by the walk.
    enum class ChildState : std::uint8_t { Untouched, Reading, Ready, Walk };
    struct Child {
        ChildState state = ChildState::Untouched;
        std::shared_ptr<FolderNode> read;  // when Ready
    };
    std::vector<Child> children;  // one per subfolder once offered
    // The walk has left this folder, or dropped it: nothing below it is wanted any more.
    bool finished = false;
};

// The path of `node` below the target, its names joined by separators and one at the end;
// empty for the target.
std::string RelativePathOf(const FolderNode& node);

}  // namespace quorvane
