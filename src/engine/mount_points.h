#pragma once

#include <functional>
#include <set>
#include <string>
#include <string_view>

namespace quorvane {

// The volumes mounted inside a walk's tree, read once from the mount table as the walk starts.
// A plain folder can lead onto another volume, or back into a folder the walk is inside (a
// bind mount), only where something is mounted on it; so only those folders, and every folder
// below a link, cost the walk a question of which folder it is.
//
// Paths here are below the target: names joined by '/', with one '/' at the end.
class MountPoints {
  public:
    // Nothing is known, so every folder must be asked.
    static MountPoints Unknown();
    // Nothing can be mounted on a plain folder (Windows, where volumes join at links).
    static MountPoints None();
    // From the mount table's text, for the target whose full path with its links resolved is
    // `target`. Every folder is asked when the target lies on, or holds, a file system whose
    // folders can change device without a mount (btrfs subvolumes, NFS submounts).
    static MountPoints FromMountInfo(std::string_view mountInfo, std::string_view target);

    bool everyFolder() const { return everyFolder_; }
    // Whether something can be mounted on a plain folder at all (not on Windows).
    bool onPlainFolders() const { return onPlainFolders_; }
    bool isMountPoint(std::string_view relativePath) const {
        return points_.contains(relativePath);
    }
    // Whether something is mounted on the folder or below it (on the target, when empty).
    bool leadsToMountPoint(std::string_view relativePath) const;

  private:
    bool everyFolder_ = false;
    bool onPlainFolders_ = true;
    std::set<std::string, std::less<>> points_;
};

}  // namespace quorvane
