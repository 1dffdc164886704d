#include "engine/mount_info.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

namespace quorvane {

std::string ReadMountInfo() {
#ifdef __linux__
    std::string text;
    const int file = open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
    if (file < 0) return text;
    for (;;) {
        const size_t used = text.size();
        text.resize(used + 16384);
        const ssize_t got = read(file, text.data() + used, text.size() - used);
        text.resize(used + static_cast<size_t>(std::max<ssize_t>(got, 0)));
        if (got <= 0) break;
    }
    close(file);
    return text;
#else
    return {};
#endif
}

}  // namespace quorvane
