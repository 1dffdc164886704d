#include "app/window_yield_hook.h"

#include <QCoreApplication>

namespace quorvane {

WindowYieldHook::WindowYieldHook(std::function<void()> beforeEvents, int interval)
    : beforeEvents_(std::move(beforeEvents)), interval_(interval) {}

void WindowYieldHook::yield() {
    if (sinceLastPass_.isValid() && sinceLastPass_.elapsed() < interval_) return;
    yieldNow();
}

void WindowYieldHook::yieldNow() {
    if (beforeEvents_) beforeEvents_();
    ++passes_;
    QCoreApplication::processEvents();
    if (afterEvents_) afterEvents_();
    // Timed from the end of the pass: a pass that ran a long handler still leaves the work a
    // full interval before the next one.
    sinceLastPass_.start();
}

}  // namespace quorvane
