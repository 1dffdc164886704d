#include "cli/stack_room.h"

namespace quorvane::cli {

// A Windows program's stack is set when it is linked, not by its caller.
int RunWithStackRoom(const std::function<int()>& work) {
    return work();
}

}  // namespace quorvane::cli
