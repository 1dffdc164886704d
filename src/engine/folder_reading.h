#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "base/yield_hook.h"
#include "engine/folder_access.h"
#include "engine/folder_node.h"
#include "engine/listing_rules.h"
#include "engine/mount_points.h"
#include "engine/wait_meter.h"
#include "engine/walk_levels.h"

namespace quorvane {

// The rules by which every thread of a walk reads folders, in one place: which folders are
// read and entered, what a read keeps, where the walk must ask which folder a subfolder is,
// and which volume it stays on. Fixed once the walk has started, so threads share it.
class FolderReading {
  public:
    FolderReading(WalkLevels levels, const ListingRules& rules, MountPoints mounts)
        : levels_(levels), rules_(rules), mounts_(std::move(mounts)) {}

    const WalkLevels& levels() const { return levels_; }
    const ListingRules& rules() const { return rules_; }
    bool factsWanted() const { return rules_.facts != FactsWanted::None; }

    // Folders on another volume than `device` are listed but not entered. `byKernel`: the
    // system refuses the crossing as the folder is opened (KernelRefusesCrossings); otherwise
    // every folder's device is asked.
    void stayOn(std::uint64_t device, bool byKernel) {
        volume_ = device;
        volumeByKernel_ = byKernel;
    }

    // Sets what the target's node needs to know of the mount points.
    void prepareTarget(FolderNode& target) const;
    // A node for subfolder `i` of `parent`, not yet opened.
    std::shared_ptr<FolderNode> subfolderNode(const std::shared_ptr<const FolderNode>& parent,
                                              size_t i) const;
    // How the node's folder is opened from its parent.
    SubfolderOpening openingOf(const FolderNode& node) const;

    // Once the node's folder is open as `held`: asks which folder it is where that is needed,
    // and says whether it lies on another volume (then it is listed, but neither read nor
    // reported). `refused`: the system refused to open it across a mount point, and `held` is
    // the folder opened again without that check.
    bool identifyAndCheckVolume(FolderNode& node, const HeldFolder& held, bool refused) const;
    // Reads the subfolders of the node's folder, open as `held`, into the node.
    void read(FolderNode& node, const HeldFolder& held, YieldHook* yield, WaitMeter* meter) const;

    // Whether the walk enters the subfolders of a node it has read (a read that failed part
    // way keeps what it found).
    bool entersSubfolders(const FolderNode& node) const {
        return !node.otherVolume && node.contents.count() > 0 &&
               levels_.entersSubfoldersOf(node.level);
    }

  private:
    WalkLevels levels_;
    const ListingRules& rules_;
    MountPoints mounts_;
    std::optional<std::uint64_t> volume_;
    bool volumeByKernel_ = false;
};

}  // namespace quorvane
