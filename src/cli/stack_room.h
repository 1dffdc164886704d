#pragma once

#include <functional>

namespace quorvane::cli {

// Runs `work` and returns what it returns, on a stack with room for it: where the process's
// stack limit is small (ulimit -s 16, which find and ls run with), on a thread whose stack is
// its own, since the dynamic linker and the C++ library alone may take what such a limit
// leaves. stack_room_posix.cpp and stack_room_windows.cpp implement it.
int RunWithStackRoom(const std::function<int()>& work);

}  // namespace quorvane::cli
