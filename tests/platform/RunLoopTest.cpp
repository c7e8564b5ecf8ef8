#include "platform/Console.h"
#include "platform/PictureCatalog.h"
#include "platform/Random.h"
#include "platform/RunLoop.h"
#include "platform/ScreenController.h"

#include <gtest/gtest.h>

#include <vector>

namespace bc {
namespace {

class Target : public ScreenController {
public:
    void fire() { ++fired; }
    int fired = 0;
};

class RunLoopTest : public ::testing::Test {
protected:
    RunLoop loop{RunLoop::ClockKind::Virtual};
    Console console;
    Random random{1};
    PictureCatalog pictures{"."};
    Services services{loop, console, random, pictures};
};

TEST_F(RunLoopTest, OneShotFiresOnceWhenItsTimeComes)
{
    Target t;
    t.setServices(services);
    t.scheduledTimerWithTimeInterval(2.0, &t, &Target::fire, nullptr, false);
    loop.advance(1.999);
    EXPECT_EQ(t.fired, 0);
    loop.advance(0.001);
    EXPECT_EQ(t.fired, 1);
    loop.advance(10);
    EXPECT_EQ(t.fired, 1);
    EXPECT_EQ(loop.pendingTimers(), 0u);
}

TEST_F(RunLoopTest, RepeatingTimerFiresEachInterval)
{
    Target t;
    t.setServices(services);
    const auto id = t.scheduledTimerWithTimeInterval(0.5, &t, &Target::fire, nullptr, true);
    loop.advance(2.0);
    EXPECT_EQ(t.fired, 4);
    loop.invalidate(id);
    loop.advance(2.0);
    EXPECT_EQ(t.fired, 4);
    EXPECT_FALSE(t.isKeptAlive());
}

TEST_F(RunLoopTest, TimersFireInTimeOrderThenScheduleOrder)
{
    std::vector<int> order;
    loop.schedule(2.0, false, nullptr, [&] { order.push_back(2); });
    loop.schedule(1.0, false, nullptr, [&] { order.push_back(1); });
    loop.schedule(2.0, false, nullptr, [&] { order.push_back(3); });
    loop.advance(5);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST_F(RunLoopTest, ClockReadsTheFiringTimeInsideTheCallback)
{
    double seen = -1;
    loop.schedule(2.0, false, nullptr, [&] { seen = loop.now(); });
    loop.advance(3);
    EXPECT_DOUBLE_EQ(seen, 2.0);
    EXPECT_DOUBLE_EQ(loop.now(), 3.0);
}

TEST_F(RunLoopTest, TimerScheduledByATimerFiresInTheSameAdvanceWhenDue)
{
    int second = 0;
    loop.schedule(1.0, false, nullptr, [&] { loop.schedule(1.0, false, nullptr, [&] { ++second; }); });
    loop.advance(2.5);
    EXPECT_EQ(second, 1);
}

TEST_F(RunLoopTest, TimerKeepsItsTargetRetainedUntilItFires)
{
    Target t;
    t.setServices(services);
    t.scheduledTimerWithTimeInterval(2.0, &t, &Target::fire, nullptr, false);
    EXPECT_TRUE(t.isKeptAlive());
    loop.advance(2.0);
    EXPECT_FALSE(t.isKeptAlive());
}

TEST_F(RunLoopTest, AfterEachFireRunsOncePerCallback)
{
    int after = 0;
    loop.afterEachFire = [&] { ++after; };
    loop.schedule(1, false, nullptr, [] {});
    loop.schedule(1, false, nullptr, [] {});
    loop.advance(1);
    EXPECT_EQ(after, 2);
}

} // namespace
} // namespace bc
