#include "engine/drive_list.h"

#include <filesystem>

#include "engine/mount_info.h"

namespace quorvane {

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

bool IsOnDrive(std::string_view folder, std::string_view root) {
    return folder.starts_with(root);
}

}  // namespace quorvane
