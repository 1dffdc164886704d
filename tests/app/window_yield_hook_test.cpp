#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>

#include "app/window_yield_hook.h"

namespace quorvane::test {
namespace {

TEST(WindowYieldHook, RunsTheEventLoopOnlyWhenItsIntervalHasPassed) {
    int published = 0;
    // An interval no test run reaches: only the first yield and yieldNow() run a pass.
    WindowYieldHook hook([&] { ++published; }, 3600 * 1000);
    int delivered = 0;
    const auto post = [&] { QTimer::singleShot(0, [&] { ++delivered; }); };

    post();
    hook.yield();
    EXPECT_EQ(delivered, 1);
    EXPECT_EQ(published, 1);

    post();
    for (int i = 0; i < 1000; ++i)
        hook.yield();
    EXPECT_EQ(delivered, 1) << "a yield within the interval must not run the event loop";
    EXPECT_EQ(hook.passes(), 1);

    hook.yieldNow();
    EXPECT_EQ(delivered, 2);
    EXPECT_EQ(published, 2) << "the batch is published before each pass";

    WindowYieldHook everyTime({}, 0);
    post();
    everyTime.yield();
    EXPECT_EQ(delivered, 3);
}

}  // namespace
}  // namespace quorvane::test
