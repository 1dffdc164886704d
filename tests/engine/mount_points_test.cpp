#include "engine/mount_points.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

std::string Mount(const std::string& point, const std::string& type) {
    return "30 1 8:1 / " + point + " rw,relatime shared:1 - " + type + " /dev/sda1 rw\n";
}

TEST(MountPoints, OnlyTheMountsBelowTheTargetAndTheFoldersOnTheirWay) {
    const std::string table = Mount("/", "ext4") + Mount("/srv", "ext4") +
                              Mount("/srv/data/vol", "ext4") + Mount("/srv/data/a/b", "xfs") +
                              Mount("/srv/database", "ext4") +
                              Mount("/srv/data/with\\040blank", "vfat");
    const MountPoints points = MountPoints::FromMountInfo(table, "/srv/data");
    EXPECT_FALSE(points.everyFolder());
    struct Case {
        const char* path;
        bool mountPoint;
        bool towardOne;
    };
    for (const Case& c :
         {Case{"", false, true}, Case{"vol/", true, true}, Case{"a/", false, true},
          Case{"a/b/", true, true}, Case{"a/c/", false, false}, Case{"a/b/c/", false, false},
          Case{"with blank/", true, true}, Case{"vo/", false, false},
          // "/srv/database" only starts like the target.
          Case{"base/", false, false}}) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(points.isMountPoint(c.path), c.mountPoint);
        EXPECT_EQ(points.leadsToMountPoint(c.path), c.towardOne);
    }
    EXPECT_TRUE(MountPoints::FromMountInfo(table, "/").isMountPoint("srv/data/vol/"));
}

TEST(MountPoints, EveryFolderIsAskedWhereTheTableCannotTell) {
    const std::string plain = Mount("/", "ext4");
    EXPECT_FALSE(MountPoints::FromMountInfo(plain, "/home/me").everyFolder());
    // No table, or a target path that is not absolute (a deleted folder, say).
    EXPECT_TRUE(MountPoints::FromMountInfo("", "/home/me").everyFolder());
    EXPECT_TRUE(MountPoints::FromMountInfo(plain, "home/me").everyFolder());
    // File systems whose folders change device without a mount: on the target, below it.
    EXPECT_TRUE(MountPoints::FromMountInfo(Mount("/", "btrfs"), "/home/me").everyFolder());
    EXPECT_TRUE(MountPoints::FromMountInfo(plain + Mount("/home/me/nfs", "nfs4"), "/home/me")
                    .everyFolder());
    EXPECT_FALSE(
        MountPoints::FromMountInfo(plain + Mount("/elsewhere", "btrfs"), "/home/me").everyFolder());
    // The later of two mounts on one point is the one the target lies on.
    EXPECT_FALSE(MountPoints::FromMountInfo(Mount("/", "btrfs") + plain, "/home").everyFolder());
}

}  // namespace
}  // namespace quorvane
