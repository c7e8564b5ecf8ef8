#include "screens/insulin/InsulinCompleteViewController.h"
#include "support/Game.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

using test::Game;

void reachComplete(Game& game)
{
    game.play({"tap ->InsulinFoodViewController", "tap continueButtonClicked", "tap continueButtonPressed",
               "tap ->InsulinGivingViewController", "wait 2"});
    ASSERT_EQ(game.screen(), "InsulinCompleteViewController");
}

InsulinCompleteViewController* completeScreen(Game& game)
{
    return dynamic_cast<InsulinCompleteViewController*>(game.app().top());
}

TEST(DoseCompleteReward, ShowsInTheCoinsAtOnce)
{
    Game game;
    reachComplete(game);
    EXPECT_EQ(game.state().coins(), 5.0f);
    EXPECT_EQ(game.control("coinsLabel")["text"], "5");
}

TEST(DoseCompleteReward, IsGivenOnEveryAppearance)
{
    Game game;
    game.play({"set coins 12"});
    reachComplete(game);
    auto* screen = completeScreen(game);
    ASSERT_NE(screen, nullptr);
    screen->viewWillAppear(false);
    EXPECT_EQ(game.state().coins(), 22.0f);
    EXPECT_EQ(game.control("coinsLabel")["text"], "22");
}

TEST(DoseCompleteShows, ThePlannedDoseAndTheCarbReason)
{
    Game game;
    reachComplete(game);
    EXPECT_EQ(game.control("doseGivenLabel")["text"], "2");
    EXPECT_EQ(game.control("reasonsLabel")["text"], "Because you ate 25 carbs\n");
}

TEST(DoseCompleteShows, ThePlannedDoseNotWhatWasCountedGiven)
{
    Game game;
    reachComplete(game);
    game.play({"set bolusTarget 4", "set bolusGiven 1"});
    completeScreen(game)->updateUI();
    EXPECT_EQ(game.control("doseGivenLabel")["text"], "4");
}

TEST(DoseCompleteShows, TheExerciseLineAlone)
{
    Game game;
    reachComplete(game);
    game.play({"set carbsNotAddressed 0", "set aboutToExercise true"});
    completeScreen(game)->updateUI();
    EXPECT_EQ(game.control("reasonsLabel")["text"], "\nYou're about to exercise");
}

TEST(DoseCompleteShows, BothReasonsOnceWithAnEmptyLineBetween)
{
    Game game;
    reachComplete(game);
    game.play({"set carbsNotAddressed 50", "set aboutToExercise true"});
    auto* screen = completeScreen(game);
    screen->updateUI();
    screen->updateUI();
    EXPECT_EQ(game.control("reasonsLabel")["text"], "Because you ate 50 carbs\n\nYou're about to exercise");
}

TEST(DoseCompleteLeaving, BackAndHomeGoHomeAndKeepTheDose)
{
    for (const char* exit : {"backButtonPressed", "homeButtonPressed"}) {
        Game game;
        reachComplete(game);
        game.play({std::string("tap ") + exit});
        EXPECT_EQ(game.stack(), std::vector<std::string>{"ViewController"}) << exit;
        EXPECT_EQ(game.state().coins(), 5.0f) << exit << ": no second reward";
        EXPECT_EQ(game.control("coinsLabel")["text"], "5") << exit;
        EXPECT_EQ(game.state().bolusTarget(), 25.0f / 15.0f) << exit;
        EXPECT_EQ(game.state().carbsNotAddressed(), 25.0f) << exit;
    }
}

TEST(DoseCompleteDone, ClearsTheBolusAndGoesHome)
{
    Game game;
    reachComplete(game);
    game.play({"set aboutToExercise true", "set includeMostRecentMeal false", "set fromInsulinScreen true", "tap done"});
    EXPECT_EQ(game.stack(), std::vector<std::string>{"ViewController"});
    const AppState& s = game.state();
    EXPECT_EQ(s.bolusTarget(), 0.0f);
    EXPECT_EQ(s.bolusGiven(), 0.0f);
    EXPECT_EQ(s.bolusJustGiven(), 0.0f);
    EXPECT_EQ(s.carbsMostRecentMeal(), 0.0f);
    EXPECT_EQ(s.carbsNotAddressed(), 0.0f);
    EXPECT_EQ(s.carbsFromCounter(), 0.0f);
    EXPECT_FALSE(s.aboutToExercise());
    EXPECT_TRUE(s.includeMostRecentMeal());
    EXPECT_TRUE(s.fromInsulinScreen()) << "the care state's reset leaves the counter mark";
    EXPECT_EQ(s.coins(), 5.0f);
}

TEST(DoseCompleteDone, TheCoveredMealIsNotOfferedAgain)
{
    Game game;
    reachComplete(game);
    game.play({"tap done", "tap ->InsulinFoodViewController"});
    EXPECT_EQ(game.control("carbsLabel")["hidden"], true);
    game.play({"tap continueButtonClicked", "tap continueButtonPressed"});
    EXPECT_EQ(game.control("suggestedBolusLabel")["text"], "0");
    EXPECT_EQ(game.control("reasonsLabel")["text"], "");
}

} // namespace
} // namespace bc
