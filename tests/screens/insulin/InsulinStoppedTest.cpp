#include "screens/insulin/InsulinStoppedViewController.h"
#include "support/Game.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

using test::Game;

// A dose stopped at once: half of the whole dose counts as given.
void reachStopped(Game& game)
{
    game.play({"tap ->InsulinFoodViewController", "tap continueButtonClicked", "tap continueButtonPressed",
               "tap ->InsulinGivingViewController", "tap ->InsulinStoppedViewController"});
    ASSERT_EQ(game.screen(), "InsulinStoppedViewController");
}

InsulinStoppedViewController* stoppedScreen(Game& game)
{
    return dynamic_cast<InsulinStoppedViewController*>(game.app().top());
}

TEST(DoseStoppedShows, HalfOfTheDoseRounded)
{
    Game game;
    reachStopped(game);
    EXPECT_FLOAT_EQ(game.state().bolusJustGiven(), 0.8333333f);
    EXPECT_EQ(game.control("partialDoseLabel")["text"], "1");
    EXPECT_EQ(game.control("coinsLabel")["text"], "0");
}

TEST(DoseStoppedShows, ThePartialDoseAsStored)
{
    Game game;
    reachStopped(game);
    auto* screen = stoppedScreen(game);
    ASSERT_NE(screen, nullptr);
    game.play({"set bolusJustGiven 2"});
    screen->updateUI();
    EXPECT_EQ(game.control("partialDoseLabel")["text"], "2");
    game.play({"set bolusJustGiven 0"});
    screen->updateUI();
    EXPECT_EQ(game.control("partialDoseLabel")["text"], "0");
}

TEST(DoseStoppedShows, TheFullDoseAfterTheCounterRoute)
{
    Game game;
    game.play({"tap ->InsulinFoodViewController", "tap carbCounterButtonPressed", "tap ->CarbCounterAddViewController",
               "tap addButtonPressed", "tap <-unwind", "tap continueButtonClicked", "tap continueButtonPressed",
               "tap ->InsulinGivingViewController", "tap ->InsulinStoppedViewController"});
    EXPECT_EQ(game.state().bolusJustGiven(), 2.5f);
    EXPECT_EQ(game.control("partialDoseLabel")["text"], "2") << "2.5 rounds to even";
}

TEST(DoseStoppedDone, GoesHomeAndZeroesTheSixAmounts)
{
    Game game;
    game.play({"set coins 12", "set carbsFromCounter 50"});
    reachStopped(game);
    game.play({"set aboutToExercise true", "set includeMostRecentMeal false", "tap doneButtonPressed"});
    EXPECT_EQ(game.stack(), std::vector<std::string>{"ViewController"});
    const AppState& s = game.state();
    EXPECT_EQ(s.carbsNotAddressed(), 0.0f);
    EXPECT_EQ(s.bolusJustGiven(), 0.0f);
    EXPECT_EQ(s.bolusGiven(), 0.0f);
    EXPECT_EQ(s.carbsMostRecentMeal(), 0.0f);
    EXPECT_EQ(s.carbsFromCounter(), 0.0f);
    EXPECT_EQ(s.bolusTarget(), 0.0f);
    EXPECT_TRUE(s.aboutToExercise()) << "the answers stay";
    EXPECT_FALSE(s.includeMostRecentMeal()) << "the answers stay";
    EXPECT_EQ(s.coins(), 12.0f);
    EXPECT_EQ(game.control("coinsLabel")["text"], "12");
}

TEST(DoseStoppedLeaving, BackAndHomeGoHomeAndKeepEverything)
{
    for (const char* exit : {"backButtonPressed", "homeButtonPressed"}) {
        Game game;
        reachStopped(game);
        game.play({std::string("tap ") + exit});
        EXPECT_EQ(game.stack(), std::vector<std::string>{"ViewController"}) << exit;
        const AppState& s = game.state();
        EXPECT_FLOAT_EQ(s.bolusJustGiven(), 0.8333333f) << exit;
        EXPECT_EQ(s.bolusGiven(), 25.0f / 15.0f) << exit;
        EXPECT_EQ(s.bolusTarget(), 25.0f / 15.0f) << exit;
        EXPECT_EQ(s.carbsNotAddressed(), 25.0f) << exit;
        EXPECT_EQ(s.carbsMostRecentMeal(), 25.0f) << exit;
        EXPECT_EQ(s.coins(), 0.0f) << exit;
    }
}

} // namespace
} // namespace bc
