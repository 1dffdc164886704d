#include "engine/drive_list.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "engine/path_rules.h"

#ifdef _WIN32
#include <windows.h>

#include "engine/native_text.h"
#else
#include <filesystem>
#include <fstream>
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

int digitValue(char c, int base) {
    const int value = (c >= '0' && c <= '9')   ? c - '0'
                      : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                      : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                               : 99;
    return value < base ? value : -1;
}

// Undoes escapes of the form backslash, `prefix`, then `width` digits in `base`: mountinfo
// writes blanks in paths as octal (\040), udev writes them in label names as hexadecimal (\x20).
std::string unescape(std::string_view text, std::string_view prefix, size_t width, int base) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t digits = i + 1 + prefix.size();
        if (text[i] == '\\' && text.substr(i + 1, prefix.size()) == prefix &&
            digits + width <= text.size()) {
            int value = 0;
            bool valid = true;
            for (size_t k = 0; k < width; ++k) {
                const int digit = digitValue(text[digits + k], base);
                valid = valid && digit >= 0;
                value = value * base + digit;
            }
            if (valid) {
                out.push_back(static_cast<char>(value));
                i = digits + width - 1;
                continue;
            }
        }
        out.push_back(text[i]);
    }
    return out;
}

}  // namespace

std::vector<Drive> DrivesFromMountInfo(std::string_view mountInfo,
                                       const std::map<std::string, std::string>& labels) {
    std::vector<Drive> drives;
    std::istringstream lines{std::string(mountInfo)};
    std::string line;
    while (std::getline(lines, line)) {
        // id parent major:minor root mountpoint options [optional fields...] - type source ...
        std::istringstream fields(line);
        std::string id, parent, device, root, mountPoint, options, field;
        if (!(fields >> id >> parent >> device >> root >> mountPoint >> options)) continue;
        while (fields >> field && field != "-") {
        }
        std::string type, source;
        if (!(fields >> type >> source) || isPseudo(type)) continue;
        mountPoint = unescape(mountPoint, "", 3, 8);
        source = unescape(source, "", 3, 8);
        Drive drive{mountPoint, ToFolderPathForm(mountPoint)};
        if (const auto label = labels.find(source); label != labels.end()) {
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
            labels[device.string()] = unescape(entry.path().filename().string(), "x", 2, 16);
    }
    std::ifstream file("/proc/self/mountinfo");
    std::stringstream text;
    text << file.rdbuf();
    return DrivesFromMountInfo(text.str(), labels);
}

#endif

}  // namespace quorvane
