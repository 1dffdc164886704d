#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/folder_contents.h"
#include "engine/folder_identity.h"
#include "engine/held_folder.h"
#include "engine/status.h"

namespace quorvane {

// One folder as the walk reads it: what its read found and where it sits in the walk, shared
// between the walk and the readers that may read it first.
//
// Everything but the read-ahead's bookkeeping is fixed once a reader hands the node over;
// `held` is the walk's once it has the node.
struct FolderNode {
    FolderContents contents;
    Status status;  // of its open or its read
    // On another volume than the walk stays on: listed in its parent's block, not entered.
    bool otherVolume = false;
    std::optional<FolderIdentity> identity;  // asked only where a loop or a volume may start
    int level = 0;                           // 0 for the target
    // Reached through a link, here or further up: below such a folder even a plain subfolder
    // may be one the walk is already inside, or lie on another volume.
    bool belowLink = false;
    // Something is mounted on it or below it (see MountPoints).
    bool towardMount = false;
    // Which folder it is must be asked: below a link, on a mount point, or wherever the mount
    // table cannot tell.
    bool needsIdentity = false;
    std::shared_ptr<FolderNode> parent;
    size_t indexInParent = 0;
    // Held while subfolders are still to be opened from it.
    HeldFolder held;

    // The read-ahead's bookkeeping of the subfolders, guarded by its lock: who reads each one
    // (see ReadAhead), and the reads that are done but not yet taken by the walk.
    // Claimed: in a reader's batch, not started yet; the walk may still take it over.
    enum class ChildState : std::uint8_t { Untouched, Claimed, Reading, Ready, Walk };
    struct Child {
        ChildState state = ChildState::Untouched;
        std::shared_ptr<FolderNode> read;  // when Ready
    };
    std::vector<Child> children;  // one per subfolder once offered
    size_t unclaimed = 0;         // subfolders offered that no one has claimed yet
    unsigned opening = 0;         // readers opening subfolders from `held` right now
    // No reader opens anything more from `held`: the walk has let go of it, left the folder or
    // dropped it.
    bool closedToReaders = false;
    // The walk has left this folder, or dropped it: nothing below it is wanted any more.
    bool finished = false;
};

// The path of `node` below the target, its names joined by separators and one at the end;
// empty for the target.
std::string RelativePathOf(const FolderNode& node);

}  // namespace quorvane
