#include "engine/drive_list.h"

#include <gtest/gtest.h>

#include "engine/path_rules.h"

namespace quorvane {
namespace {

struct DriveName {
    const char* name;
    int drive;  // the index of the drive it names, or -1 for none
};

// The root with or without its separator, the display text, and on Windows the letter with a
// colon in either case.
TEST(FindDrive, MatchesTheRootTheDisplayTextOrTheLetter) {
    const bool windows = kSeparator == '\\';
    const std::vector<Drive> drives =
        windows ? std::vector<Drive>{{"c: [SYSTEM]", "c:\\"}, {"d:", "d:\\"}}
                : std::vector<Drive>{{"/ [System]", "/"}, {"/home [Data]", "/home/"}};
    const std::vector<DriveName> names =
        windows
            ? std::vector<DriveName>{{"c:", 0},           {"C:", 0},
                                     {"c:\\", 0},         {"C:\\", 0},
                                     {"c: [SYSTEM]", 0},  {"d:", 1},
                                     {"D:\\", 1},         {"", -1},
                                     {"c", -1},           {"e:", -1},
                                     {"C:\\Windows", -1}, {"c: [OTHER]", -1}}
            : std::vector<DriveName>{{"/", 0},     {"/home", 1}, {"/home/", 1}, {"/home [Data]", 1},
                                     {"/hom", -1}, {"", -1}};
    for (const DriveName& name : names) {
        EXPECT_EQ(FindDrive(drives, name.name), name.drive < 0 ? nullptr : &drives[name.drive])
            << name.name;
    }
}

}  // namespace
}  // namespace quorvane
