#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "base/status.h"
#include "engine/folder_contents.h"
#include "engine/folder_identity.h"

namespace quorvane {

// One folder as the walk reads it: what its read found and where it sits in the tree. Fixed
// once read, so the threads of a walk share the nodes of the folders above their own parts.
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
    // Asked only to end a loop that a mount made during the walk would make: compared with the
    // other folders so asked, not with every folder above it.
    bool deepGuard = false;
    std::shared_ptr<const FolderNode> parent;
    size_t indexInParent = 0;
};

// The path of `node` below the target, its names joined by separators and one at the end;
// empty for the target.
std::string RelativePathOf(const FolderNode& node);

}  // namespace quorvane
