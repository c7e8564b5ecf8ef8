#include "platform/Audio.h"
#include "platform/Console.h"
#include "platform/PictureCatalog.h"
#include "platform/Random.h"
#include "platform/RunLoop.h"
#include "state/Translator.h"
#include "platform/ScreenController.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace bc {
namespace {

class Target : public ScreenController {
public:
    void fire()
    {
        fired.push_back(services().runLoop.now());
        if (order != nullptr) {
            order->push_back(this);
        }
    }
    std::vector<double> fired;
    std::vector<const Target*>* order = nullptr;
};

class RunLoopTest : public ::testing::Test {
protected:
    void SetUp() override { target.setServices(services); }
    RunLoop loop{RunLoop::ClockKind::Virtual};
    Console console;
    Random random{1};
    PictureCatalog pictures{"."};
    AudioRecorder audio;
    const Translator english{};
    Services services{loop, console, random, pictures, audio, english};
    Target target;
};

TEST_F(RunLoopTest, TimersFireAtTheirTimesAndKeepTheirTargetUntilDone)
{
    struct Row { double interval; bool repeats; double advance; std::vector<double> fired; bool stillHeld; };
    const Row rows[] = {
        {2.0, false, 1.999, {}, true},
        {2.0, false, 2.0, {2.0}, false},
        {2.0, false, 10, {2.0}, false},
        {0.5, true, 2.0, {0.5, 1.0, 1.5, 2.0}, true},
        {0, true, 1.0, {0}, false}, // a zero interval does not repeat forever
    };
    for (const auto& r : rows) {
        RunLoop fresh{RunLoop::ClockKind::Virtual};
        Services own{fresh, console, random, pictures, audio, english};
        Target t;
        t.setServices(own);
        const auto id = t.scheduledTimerWithTimeInterval(r.interval, &t, &Target::fire, nullptr, r.repeats);
        fresh.advance(r.advance);
        EXPECT_EQ(t.fired, r.fired) << r.interval << " after " << r.advance;
        EXPECT_EQ(t.isKeptAlive(), r.stillHeld) << r.interval << " after " << r.advance;
        fresh.invalidate(id);
        EXPECT_FALSE(t.isKeptAlive()) << "an invalidated timer lets go";
    }
    // The earliest first, though set last; due at once, timers fire in the order they were set.
    Target a;
    Target b;
    Target c;
    std::vector<const Target*> order;
    for (const auto& [t, after] : {std::pair{&a, 1.0}, {&b, 1.0}, {&c, 0.5}}) {
        t->setServices(services);
        t->order = &order;
        t->scheduledTimerWithTimeInterval(after, t, &Target::fire, nullptr, false);
    }
    loop.advance(1.0);
    EXPECT_EQ(order, (std::vector<const Target*>{&c, &a, &b}));
}

TEST(RandomTest, EveryOutcomeOfADrawComesAndNoneBeyond)
{
    Random random(7);
    for (const std::uint32_t bound : {0u, 1u, 2u, 3u}) {
        std::set<std::uint32_t> seen;
        for (int i = 0; i < 200; ++i) {
            seen.insert(random.uniform(bound));
        }
        EXPECT_EQ(seen.size(), std::max(1u, bound)) << bound;
        EXPECT_EQ(*seen.rbegin(), bound > 0 ? bound - 1 : 0) << bound;
    }
}

TEST_F(RunLoopTest, ATimerThatInvalidatesItselfKeepsItsTargetUntilItReturns)
{
    std::uint64_t id = 0;
    bool heldDuringCallback = false;
    id = loop.schedule(1.0, true, target.keepAlive(), [&] {
        loop.invalidate(id);
        heldDuringCallback = target.isKeptAlive();
    });
    loop.advance(3);
    EXPECT_TRUE(heldDuringCallback);
    EXPECT_FALSE(target.isKeptAlive());
    EXPECT_EQ(loop.pendingTimers(), 0u);
}

// A repeating timer far behind fires a few times in one turn of the loop, not once for every
// interval it missed: the window would not get back to its events.
TEST(RunLoopReal, ATimerFarBehindDoesNotCatchUpInOneTurn)
{
    RunLoop loop{RunLoop::ClockKind::Real};
    int fired = 0;
    loop.schedule(1e-9, true, nullptr, [&] { ++fired; });
    const double scheduled = loop.now();
    while (loop.now() < scheduled + 1e-3) {
        // a millisecond behind: a million intervals
    }
    loop.fireDue();
    EXPECT_GE(fired, 1);
    EXPECT_LE(fired, 17) << "one timer's turn is its own and sixteen more";
}

} // namespace
} // namespace bc

namespace bc {
namespace {

// The virtual day starts at 08:00: sixteen hours on is midnight.
TEST(RunLoopDay, TheVirtualClockCrossesMidnightSixteenHoursIn)
{
    const struct { double seconds; const char* day; } rows[] = {
        {0, "2026-01-05"}, {57599.5, "2026-01-05"}, {0.5, "2026-01-06"}, {86400, "2026-01-07"}};
    RunLoop loop{RunLoop::ClockKind::Virtual};
    for (const auto& row : rows) {
        loop.advance(row.seconds);
        EXPECT_EQ(formatDate(loop.today()), row.day) << loop.now();
    }
}

} // namespace
} // namespace bc
