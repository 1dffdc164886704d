#include "engine/wait_meter.h"

namespace quorvane {

// Windows does not count a thread's sleeps: a slow call is taken for a wait.
std::int64_t WaitMeter::voluntarySwitches() {
    return -1;
}

}  // namespace quorvane
