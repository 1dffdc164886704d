#include "engine/drive_list.h"

#include <algorithm>
#include <cctype>

#include "engine/mount_info.h"
#include "engine/path_rules.h"

#ifdef _WIN32
#include <windows.h>

#include "text/native_text.h"
#else
#include <filesystem>
#endif

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
#ifdef _WIN32
        // The drive list writes letters in lower case; a user may type either.
        const auto letterOf = [](std::string_view text) {
            return text.size() >= 2 && text[1] == ':' ? std::tolower(text[0]) : 0;
        };
        if (letterOf(name) != 0 && letterOf(name) == letterOf(drive.root) &&
            (name.size() == 2 || root.size() == 3))
            return &drive;
#endif
    }
    return nullptr;
}

#ifdef _WIN32

std::vector<Drive> ListDrives() {
    std::vector<Drive> drives;
    const DWORD mask = GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
        if (!(mask & (1u << letter))) continue;
        const char drive = static_cast<char>('a' + letter);
        std::string display{drive, ':'};
        const std::wstring root{static_cast<wchar_t>(L'A' + letter), L':', L'\\'};
        // A drive that is not ready (an empty card reader) has no label to read, and asking
        // must not raise the system's "insert a disk" box.
        const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS);
        wchar_t label[MAX_PATH + 1] = {};
        if (GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr,
                                  nullptr, 0) &&
            label[0] != 0) {
            display += " [" + FromNativePath(label) + "]";
        }
        SetErrorMode(previous);
        drives.push_back({display, std::string{drive, ':', '\\'}});
    }
    return drives;
}

#else

std::vector<Drive> ListDrives() {
    std::map<std::string, std::string> labels;
    std::error_code error;
    const std::filesystem::path byLabel = "/dev/disk/by-label";
    for (const auto& entry : std::filesystem::directory_iterator(byLabel, error)) {
        const auto device = std::filesystem::canonical(entry.path(), error);
        if (!error)
            labels[device.string()] = UndoEscapes(entry.path().filename().string(), "x", 2, 16);
    }
    return DrivesFromMountInfo(ReadMountInfo(), labels);
}

#endif

}  // namespace quorvane
