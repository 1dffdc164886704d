#include "engine/wait_meter.h"

namespace quorvane {

// Windows counts neither a thread's reads from devices nor its sleeps: a slow call is taken
// for a wait.
std::int64_t WaitMeter::blocksRead() {
    return -1;
}

std::int64_t WaitMeter::voluntarySwitches() {
    return -1;
}

}  // namespace quorvane
