#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// One entry of the drive list: what the user sees, and the root folder that a run walks.
struct Drive {
    std::string displayText;  // "c: [SYSTEM]" on Windows, "/home [Data]" elsewhere
    std::string root;         // folder path form: "c:\", "/home/"

    friend bool operator==(const Drive&, const Drive&) = default;
};

// The drives of this computer. Windows: the drive letters. Elsewhere: the mounted volumes of
// real file systems, in mount order, without the kernel's pseudo file systems. Platform:
// drive_list_posix.cpp, drive_list_windows.cpp.
std::vector<Drive> ListDrives();

// The drive that `name` names: its root (a missing trailing separator is fine) or its display
// text; on Windows also its letter with a colon, in either case ("c:", "C:\\"). Null if none.
const Drive* FindDrive(const std::vector<Drive>& drives, std::string_view name);

// Whether the folder `folder` (folder path form) lies on the drive whose root is `root`: the
// root is a start of it, on Windows in any letter case. Platform: drive_list_posix.cpp,
// drive_list_windows.cpp, as ListDrives.
bool IsOnDrive(std::string_view folder, std::string_view root);

// The POSIX reading of /proc/self/mountinfo, given the text of that file and the volume labels
// by device path ("/dev/sda1" -> "Data"). Separated out so that it is tested on fixed input.
std::vector<Drive> DrivesFromMountInfo(std::string_view mountInfo,
                                       const std::map<std::string, std::string>& labels);

}  // namespace quorvane
