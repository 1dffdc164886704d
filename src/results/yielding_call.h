#pragma once

#include <chrono>
#include <future>
#include <utility>

#include "base/yield_hook.h"

namespace quorvane {

// Runs `work` (a call that cannot yield itself: a library writing a whole file, a sync to the
// disk) on a thread of its own and lets the window run meanwhile, so the window keeps
// answering through a write of many seconds. Nothing else may touch what `work` uses until it
// returns. Without a hook `work` runs on the calling thread. Returns what `work` returns.
template <typename Work>
auto CallWhileYielding(YieldHook* hook, Work&& work) {
    if (!hook) return work();
    auto result = std::async(std::launch::async, std::forward<Work>(work));
    while (result.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready) {
        hook->yield();
    }
    return result.get();
}

}  // namespace quorvane
