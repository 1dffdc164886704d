#include "form/window_yield_hook.h"

#include <gtest/gtest.h>

namespace quorvane::test {
namespace {

class CountingPump : public EventPump {
  public:
    int passes = 0;
    void processEvents() override { ++passes; }
    void waitForEvents() override { ++passes; }
    void wake() override {}
};

TEST(WindowYieldHook, RunsTheEventLoopOnlyWhenItsIntervalHasPassed) {
    CountingPump events;
    int published = 0;
    // An interval no test run reaches: only the first yield and yieldNow() run a pass.
    WindowYieldHook hook(
        events, [&] { ++published; }, 3600 * 1000);
    int after = 0;
    hook.setAfterEvents([&] { after = events.passes; });

    hook.yield();
    EXPECT_EQ(events.passes, 1);
    EXPECT_EQ(published, 1);
    EXPECT_EQ(after, 1) << "runs after the pass";

    for (int i = 0; i < 1000; ++i)
        hook.yield();
    EXPECT_EQ(events.passes, 1) << "a yield within the interval must not run the event loop";
    EXPECT_EQ(hook.passes(), 1);

    hook.yieldNow();
    EXPECT_EQ(events.passes, 2);
    EXPECT_EQ(published, 2) << "the batch is published before each pass";

    WindowYieldHook everyTime(events, {}, 0);
    everyTime.yield();
    everyTime.yield();
    EXPECT_EQ(events.passes, 4);
}

}  // namespace
}  // namespace quorvane::test
