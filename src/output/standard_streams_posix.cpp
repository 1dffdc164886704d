#include "output/standard_streams.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace quorvane {

bool OpenMissingStandardStreams() {
    for (int stream = STDIN_FILENO; stream <= STDERR_FILENO; ++stream) {
        if (fcntl(stream, F_GETFD) != -1 || errno != EBADF) continue;
        // The streams below it are open, so the lowest free descriptor is this one.
        const int opened = open("/dev/null", (stream == STDIN_FILENO ? O_RDONLY : O_WRONLY));
        if (opened == stream) continue;
        if (opened >= 0) close(opened);
        return false;
    }
    return true;
}

}  // namespace quorvane
