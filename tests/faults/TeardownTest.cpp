#include "platform/Application.h"
#include "support/Game.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

// A screen that, like the delivery screen, starts a one-shot timer on itself
// when it appears, and notes what still held on to it when it went away.
class Waiter : public ScreenController {
public:
    ~Waiter() override { timersStillPending = services().runLoop.pendingTimers(); }
    void viewDidAppear(bool) override { scheduledTimerWithTimeInterval(2.0, this, &Waiter::ring, nullptr, false); }
    void ring() { ++rings; }
    void leave(Control*) { navigationController()->popViewControllerAnimated(true); }
    static inline std::size_t timersStillPending = 0;
    static inline int rings = 0;
};

class Home : public ScreenController {};

TEST(Teardown, QuittingWithATimerPendingLetsGoOfItBeforeItsScreen)
{
    test::ScratchFolder folder;
    folder.write("storyboard.json", R"({"initial": "Home", "screens": [
      {"class": "Home", "controls": [{"kind": "button", "name": "go", "frame": [0, 0, 100, 100], "push": "Waiter"}]},
      {"class": "Waiter", "controls": [{"kind": "button", "name": "back", "frame": [0, 0, 100, 100], "actions": ["leave"]}]}
    ]})");
    Registry registry;
    registry.screen<Home>("Home");
    registry.screen<Waiter>("Waiter").exit("leave", &Waiter::leave);
    Waiter::timersStillPending = 99;
    {
        auto created = Application::create(folder.path(), registry, RunLoop::ClockKind::Virtual);
        ASSERT_TRUE(std::holds_alternative<std::unique_ptr<Application>>(created)) << std::get<LoadError>(created).message;
        auto& app = *std::get<std::unique_ptr<Application>>(created);
        ASSERT_FALSE(app.tap(app.top()->controlNamed("go")).has_value());
        ASSERT_FALSE(app.tap(app.top()->controlNamed("back")).has_value());
        // The screen has left, its timer has not fired: only the timer keeps it.
        ASSERT_EQ(app.runLoop().pendingTimers(), 1u);
        ASSERT_EQ(app.navigation().retiredCount(), 1u);
    }
    EXPECT_EQ(Waiter::rings, 0);
    EXPECT_EQ(Waiter::timersStillPending, 0u) << "the screen went while a timer still pointed at it";
}

TEST(Teardown, TheShippedGameEndsCleanlyInTheMiddleOfADose)
{
    // Under the sanitizers this is the whole check: no use of a freed screen.
    for (const char* leave : {"tap homeButtonPressed", "tap backButtonPressed", "tap stop", "wait 1"}) {
        test::Game game;
        game.play({"tap insulinPlace", "tap continueButtonClicked", "tap continueButtonPressed",
                   "tap ->InsulinGivingViewController", leave});
        EXPECT_EQ(game.app().runLoop().pendingTimers(), 1u) << leave;
    }
}

} // namespace
} // namespace bc
