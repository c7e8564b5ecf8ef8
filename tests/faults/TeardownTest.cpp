#include "platform/Application.h"
#include "support/Game.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

// A screen that, like the delivery screen, starts a one-shot timer on itself
// when it appears, and notes how many timers still pointed at it as it went.
class Waiter : public ScreenController {
public:
    ~Waiter() override { timersAtEnd = services().runLoop.pendingTimers(); }
    void viewDidAppear(bool) override { scheduledTimerWithTimeInterval(2.0, this, &Waiter::ring, nullptr, false); }
    void ring() { ++rings; }
    void leave(Control*) { navigationController()->popViewControllerAnimated(true); }
    static inline std::size_t timersAtEnd = 99;
    static inline int rings = 0;
};

TEST(Teardown, QuittingWithATimerPendingLetsGoOfItBeforeItsScreen)
{
    test::ScratchFolder folder;
    Registry registry;
    registry.screen<ScreenController>("Home");
    registry.screen<Waiter>("Waiter").exit("leave", &Waiter::leave);
    {
        auto game = test::startOwnGame(folder, R"({"initial": "Home", "screens": [
          {"class": "Home", "controls": [{"kind": "button", "name": "go", "frame": [0, 0, 100, 100], "push": "Waiter"}]},
          {"class": "Waiter", "controls": [{"kind": "button", "name": "back", "frame": [0, 0, 100, 100], "actions": ["leave"]}]}
        ]})", registry);
        auto& app = *game;
        ASSERT_TRUE(app.tap(app.top()->controlNamed("go")));
        ASSERT_TRUE(app.tap(app.top()->controlNamed("back")));
        // The screen has left and its timer has not fired: only the timer keeps it.
        ASSERT_EQ(app.runLoop().pendingTimers(), 1u);
        ASSERT_EQ(app.navigation().retiredCount(), 1u);
    }
    EXPECT_EQ(Waiter::rings, 0);
    EXPECT_EQ(Waiter::timersAtEnd, 0u) << "the screen went while a timer still pointed at it";
}

} // namespace
} // namespace bc
