#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// One line of Linux's mount table, /proc/self/mountinfo.
struct MountInfoEntry {
    std::string mountPoint;  // where it is mounted, escapes undone
    std::string type;        // the file system's type, such as "ext4"
    std::string source;      // what is mounted, such as "/dev/sda1", escapes undone
};

// The entries of a mount table's text, in its order; lines it cannot read are left out.
std::vector<MountInfoEntry> ParseMountInfo(std::string_view text);

// The text of /proc/self/mountinfo; empty where there is none. POSIX only
// (mount_info_posix.cpp).
std::string ReadMountInfo();

// Undoes escapes of the form backslash, `prefix`, then `width` digits in `base`: the mount
// table writes blanks in paths as octal (\040), udev writes them in label names as
// hexadecimal (\x20). A backslash that starts no valid escape stays.
std::string UndoEscapes(std::string_view text, std::string_view prefix, size_t width, int base);

}  // namespace quorvane
