#include "engine/drive_list.h"

#include <algorithm>
#include <cctype>

#include "engine/mount_info.h"
#include "engine/path_rules.h"

namespace quorvane {

namespace {

// File systems that hold no user folders: the kernel's views of itself and memory-backed
// scratch space.
constexpr std::string_view kPseudoFileSystems[] = {
    "autofs", "binfmt_misc", "bpf",      "cgroup",          "cgroup2",    "configfs",  "debugfs",
    "devpts", "devtmpfs",    "efivarfs", "fusectl",         "hugetlbfs",  "mqueue",    "nsfs",
    "proc",   "pstore",      "ramfs",    "rpc_pipefs",      "securityfs", "selinuxfs", "squashfs",
    "sysfs",  "tmpfs",       "tracefs",  "fuse.gvfsd-fuse", "fuse.portal"};

bool isPseudo(std::string_view type) {
    return std::find(std::begin(kPseudoFileSystems), std::end(kPseudoFileSystems), type) !=
           std::end(kPseudoFileSystems);
}

}  // namespace

std::vector<Drive> DrivesFromMountInfo(std::string_view mountInfo,
                                       const std::map<std::string, std::string>& labels) {
    std::vector<Drive> drives;
    for (const MountInfoEntry& mount : ParseMountInfo(mountInfo)) {
        if (isPseudo(mount.type)) continue;
        Drive drive{mount.mountPoint, ToFolderPathForm(mount.mountPoint)};
        if (const auto label = labels.find(mount.source); label != labels.end()) {
            drive.displayText += " [" + label->second + "]";
        }
        // A later mount on the same point hides the earlier one.
        std::erase_if(drives, [&](const Drive& d) { return d.root == drive.root; });
        drives.push_back(drive);
    }
    return drives;
}

const Drive* FindDrive(const std::vector<Drive>& drives, std::string_view name) {
    if (name.empty()) return nullptr;
    const std::string root = ToFolderPathForm(name);
    for (const Drive& drive : drives) {
        if (drive.root == root || drive.displayText == name) return &drive;
        // The drive list writes letters in lower case; a user may type either. Only Windows
        // roots begin with a letter and a colon.
        const auto letterOf = [](std::string_view text) {
            return text.size() >= 2 && text[1] == ':' &&
                           std::isalpha(static_cast<unsigned char>(text[0]))
                       ? std::tolower(static_cast<unsigned char>(text[0]))
                       : 0;
        };
        if (letterOf(name) != 0 && letterOf(name) == letterOf(drive.root) &&
            (name.size() == 2 || root.size() == 3))
            return &drive;
    }
    return nullptr;
}

}  // namespace quorvane
