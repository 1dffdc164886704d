#include "engine/wait_meter.h"

#ifdef __linux__
#include <sys/resource.h>
#endif

namespace quorvane {

#ifdef __linux__
std::int64_t WaitMeter::voluntarySwitches() {
    rusage usage{};
    if (getrusage(RUSAGE_THREAD, &usage) != 0) return -1;
    return usage.ru_nvcsw;
}
#else
// Where the system does not count a thread's sleeps, a slow call is taken for a wait.
std::int64_t WaitMeter::voluntarySwitches() {
    return -1;
}
#endif

}  // namespace quorvane
