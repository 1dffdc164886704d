#include "engine/drive_list.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(DriveList, MountInfoGivesRealVolumesWithLabelsAndUnescapedPaths) {
    const std::string mountInfo =
        "22 1 0:21 / /proc rw,nosuid,nodev,noexec,relatime shared:5 - proc proc rw\n"
        "25 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw,errors=remount-ro\n"
        "26 25 0:22 / /sys rw,nosuid shared:6 master:1 - sysfs sysfs rw\n"
        "27 26 0:23 / /sys/fs/cgroup rw - cgroup2 cgroup2 rw\n"
        "30 25 8:2 / /home rw,relatime shared:2 - ext4 /dev/sda2 rw\n"
        "31 25 8:17 / /media/My\\040Disk rw,relatime shared:3 - vfat /dev/sdb1 rw\n"
        "32 25 0:26 / /run rw,nosuid shared:7 - tmpfs tmpfs rw,mode=755\n"
        "33 25 0:27 / /dev/pts rw - devpts devpts rw\n"
        "34 25 8:33 / /home rw,relatime shared:8 - xfs /dev/sdc1 rw\n"
        "35 25 8:49 / /mnt/back\\134slash\\011tab rw - btrfs /dev/sdd1 rw\n"
        "36 25 0:50 / /mnt/odd\\9escape rw - ext4 /dev/sde1 rw\n"
        "not a mount line\n"
        "37 25 0:51 / /mnt/cut rw\n";
    const std::map<std::string, std::string> labels{
        {"/dev/sda2", "Home"}, {"/dev/sdb1", "My Disk"}, {"/dev/sdd1", "Backup"}};

    const std::vector<Drive> expected{
        {"/", "/"},
        {"/media/My Disk [My Disk]", "/media/My Disk/"},
        // The xfs volume mounted later over /home hides the first one, label and all.
        {"/home", "/home/"},
        {"/mnt/back\\slash\ttab [Backup]", "/mnt/back\\slash\ttab/"},
        {"/mnt/odd\\9escape", "/mnt/odd\\9escape/"},
    };
    EXPECT_EQ(DrivesFromMountInfo(mountInfo, labels), expected);
    EXPECT_TRUE(DrivesFromMountInfo("", labels).empty());
}

}  // namespace
}  // namespace quorvane
