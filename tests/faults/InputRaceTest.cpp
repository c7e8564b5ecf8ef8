#include "support/Game.h"

#include <gtest/gtest.h>

namespace bc::test {
namespace {

// Points inside the shipped home screen's controls and the screens above.
constexpr float kCheckPlace[] = {41, 614};  // home: to the blood-sugar screen
constexpr float kCheat[] = {60, 40};        // home: +50 coins
constexpr float kInsulinPlace[] = {114, 614};
constexpr float kHomeButton[] = {95, 42};   // every screen's Home, top left
constexpr float kBottomButton[] = {187, 615}; // the wide button along the bottom

void tapAt(Application& app, const float* p)
{
    app.pointerDown(p[0], p[1]);
    app.pointerUp(p[0], p[1]);
}

// Moves the virtual clock on and lets the window's loop finish what is due.
void let(Application& app, double seconds)
{
    app.runLoop().advance(seconds);
    app.afterEvent();
}

class InputRaces : public ::testing::Test {
protected:
    InputRaces() { game.app().navigation().setAnimationsEnabled(true); }
    Game game;
};

TEST_F(InputRaces, TapWhileAPushSlidesIsIgnored)
{
    Application& app = game.app();
    tapAt(app, kCheckPlace);
    ASSERT_TRUE(app.navigation().isAnimating());
    ASSERT_EQ(game.screen(), "BloodSugarViewController");
    tapAt(app, kBottomButton); // "Check my blood sugar" is under the finger, still sliding in
    EXPECT_EQ(game.stack().size(), 2u);
    app.focusNext(false);
    app.activateFocus();
    EXPECT_EQ(game.stack().size(), 2u) << "the keyboard waits for the slide too";

    let(app, NavigationController::kSlideSeconds);
    ASSERT_FALSE(app.navigation().isAnimating());
    tapAt(app, kBottomButton);
    EXPECT_EQ(game.screen(), "BloodSugarCheckInstructionsViewController") << "once it has stopped, taps work";
}

TEST_F(InputRaces, TapWhileAPopSlidesIsIgnored)
{
    Application& app = game.app();
    tapAt(app, kCheckPlace);
    let(app, NavigationController::kSlideSeconds);
    tapAt(app, kHomeButton);
    ASSERT_TRUE(app.navigation().isAnimating());
    ASSERT_EQ(game.screen(), "ViewController");
    tapAt(app, kCheat);
    EXPECT_EQ(game.state().coins(), 0.0f);

    let(app, NavigationController::kSlideSeconds);
    tapAt(app, kCheat);
    EXPECT_EQ(game.state().coins(), 50.0f);
}

TEST_F(InputRaces, PressHeldWhileTheDeliveryTimerMovesOnDoesNothingOnRelease)
{
    Application& app = game.app();
    app.navigation().setAnimationsEnabled(false);
    game.play({"tap insulinPlace", "tap continueButtonClicked", "tap continueButtonPressed",
               "tap ->InsulinGivingViewController"});
    const float coinsBefore = game.state().coins();
    app.pointerDown(kBottomButton[0], kBottomButton[1]); // on "Stop"
    ASSERT_NE(app.pressedControl(), nullptr);
    let(app, 2.0); // the dose completes under the finger
    ASSERT_EQ(game.screen(), "InsulinCompleteViewController");
    app.pointerUp(kBottomButton[0], kBottomButton[1]); // "Done" is there now
    EXPECT_EQ(game.screen(), "InsulinCompleteViewController");
    EXPECT_EQ(game.state().coins(), coinsBefore + 5) << "only the completed dose's own reward";
    EXPECT_EQ(game.state().bolusJustGiven(), 0.0f) << "Stop did not run";
    EXPECT_NE(game.state().bolusTarget(), 0.0f) << "Done did not run";
}

TEST_F(InputRaces, PressThatSlidesOntoAnotherControlDoesNothing)
{
    Application& app = game.app();
    app.pointerDown(kCheat[0], kCheat[1]);
    app.pointerUp(kInsulinPlace[0], kInsulinPlace[1]);
    app.pointerDown(kInsulinPlace[0], kInsulinPlace[1]);
    app.pointerUp(kCheat[0], kCheat[1]);
    EXPECT_EQ(game.state().coins(), 0.0f);
    EXPECT_EQ(game.stack().size(), 1u);
}

TEST_F(InputRaces, PressCancelledByTheSystemDoesNothing)
{
    Application& app = game.app();
    app.pointerDown(kCheat[0], kCheat[1]);
    app.pointerCancel();
    app.pointerUp(kCheat[0], kCheat[1]);
    EXPECT_EQ(game.state().coins(), 0.0f);
}

TEST_F(InputRaces, PressThatBeganDuringASlideDoesNotTapWhenReleasedAfterIt)
{
    Application& app = game.app();
    tapAt(app, kCheckPlace);
    ASSERT_TRUE(app.navigation().isAnimating());
    app.pointerDown(kBottomButton[0], kBottomButton[1]);
    let(app, NavigationController::kSlideSeconds);
    app.pointerUp(kBottomButton[0], kBottomButton[1]);
    EXPECT_EQ(game.screen(), "BloodSugarViewController");
}

} // namespace
} // namespace bc::test
