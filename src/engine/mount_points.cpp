#include "engine/mount_points.h"

#include <algorithm>
#include <vector>

#include "engine/mount_info.h"

namespace quorvane {

namespace {

// File systems whose folders may lie on another device without a mount of their own.
constexpr std::string_view kDevicesWithoutMounts[] = {"btrfs", "bcachefs", "nfs", "nfs4"};

bool changesDeviceWithoutMounts(std::string_view type) {
    return std::find(std::begin(kDevicesWithoutMounts), std::end(kDevicesWithoutMounts), type) !=
           std::end(kDevicesWithoutMounts);
}

}  // namespace

MountPoints MountPoints::Unknown() {
    MountPoints points;
    points.everyFolder_ = true;
    return points;
}

MountPoints MountPoints::None() {
    MountPoints points;
    points.onPlainFolders_ = false;
    return points;
}

MountPoints MountPoints::FromMountInfo(std::string_view mountInfo, std::string_view target) {
    const std::vector<MountInfoEntry> mounts = ParseMountInfo(mountInfo);
    if (mounts.empty() || !target.starts_with('/')) return Unknown();
    std::string below(target);
    if (!below.ends_with('/')) below.push_back('/');
    MountPoints points;
    // The file system the target lies on: the last mount whose point holds it.
    std::string_view holding;
    size_t holdingLength = 0;
    for (const MountInfoEntry& mount : mounts) {
        std::string point = mount.mountPoint;
        if (!point.ends_with('/')) point.push_back('/');
        if (below.starts_with(point) && point.size() >= holdingLength) {
            holding = mount.type;
            holdingLength = point.size();
        } else if (point.starts_with(below)) {
            points.points_.insert(point.substr(below.size()));
            if (changesDeviceWithoutMounts(mount.type)) points.everyFolder_ = true;
        }
    }
    if (holdingLength == 0 || changesDeviceWithoutMounts(holding)) points.everyFolder_ = true;
    return points;
}

bool MountPoints::leadsToMountPoint(std::string_view relativePath) const {
    const auto next = points_.lower_bound(relativePath);
    return next != points_.end() && next->starts_with(relativePath);
}

}  // namespace quorvane
