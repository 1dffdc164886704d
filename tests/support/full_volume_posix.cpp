#include "support/full_volume.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace quorvane::test {

bool MountFullVolume(const std::string& folder) {
    if (unshare(CLONE_NEWNS) != 0 ||
        mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("quorvane-test", folder.c_str(), "tmpfs", 0, "size=64k") != 0) {
        return false;
    }
    const int filler = open((folder + "/filler").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (filler < 0) return false;
    const char block[4096] = {};
    while (write(filler, block, sizeof block) > 0) {
    }
    close(filler);
    return true;
}

}  // namespace quorvane::test
