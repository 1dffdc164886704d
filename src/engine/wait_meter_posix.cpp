#include "engine/wait_meter.h"

#ifdef __linux__
#include <sys/resource.h>
#endif

namespace quorvane {

#ifdef __linux__
namespace {

bool threadUsage(rusage& usage) {
    return getrusage(RUSAGE_THREAD, &usage) == 0;
}

}  // namespace

std::int64_t WaitMeter::blocksRead() {
    rusage usage{};
    return threadUsage(usage) ? usage.ru_inblock : -1;
}

std::int64_t WaitMeter::voluntarySwitches() {
    rusage usage{};
    return threadUsage(usage) ? usage.ru_nvcsw : -1;
}
#else
std::int64_t WaitMeter::blocksRead() {
    return -1;
}

// Where the system does not count a thread's sleeps, a slow call is taken for a wait.
std::int64_t WaitMeter::voluntarySwitches() {
    return -1;
}
#endif

}  // namespace quorvane
