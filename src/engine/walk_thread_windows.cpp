#include <windows.h>

#include <algorithm>
#include <climits>
#include <system_error>
#include <thread>

#include "engine/walk_thread.h"

namespace quorvane {

// Windows only reserves a thread's stack and commits it as it is used.
struct WalkThread::Running {
    std::thread thread;
};

Status WalkThread::start(std::function<void()> work) {
    // The one failure std::thread reports only by throwing.
    try {
        running_ = std::make_unique<Running>(Running{std::thread(std::move(work))});
    } catch (const std::system_error& error) {
        return Status::library(error.code().value());
    }
    return {};
}

unsigned WalkThread::Affordable() {
    return UINT_MAX;
}

unsigned WalkThread::Cores() {
    return std::max(1u, std::thread::hardware_concurrency());
}

WalkThread::WalkThread() = default;
WalkThread::WalkThread(WalkThread&&) noexcept = default;

WalkThread::~WalkThread() {
    if (running_) running_->thread.join();
}

void LowerThisThreadsPriority() {
    // Windows runs a thread of a higher priority first, whenever it is ready.
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
}

}  // namespace quorvane
