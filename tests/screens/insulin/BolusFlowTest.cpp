#include "support/Game.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

using test::Game;

TEST(BolusFlow, FromAFreshStartToTheRewardAndHome)
{
    Game game;
    game.play({"tap ->InsulinFoodViewController"});
    EXPECT_EQ(game.control("carbsLabel")["text"], "Include the 25 carbs you ate?");
    game.play({"tap continueButtonClicked"});
    EXPECT_EQ(game.logs(), std::vector<std::string>{"25.000000"});
    EXPECT_EQ(game.screen(), "InsulinExerciseViewController");
    game.play({"tap continueButtonPressed"});
    EXPECT_EQ(game.screen(), "InsulinSuggestionViewController");
    EXPECT_EQ(game.control("suggestedBolusLabel")["text"], "2");
    EXPECT_EQ(game.control("reasonsLabel")["text"], "Because you ate 25 carbs\n");
    game.play({"tap ->InsulinGivingViewController"});
    EXPECT_EQ(game.control("givingDoseLabel")["text"], "2");
    game.play({"wait 2"});
    EXPECT_EQ(game.screen(), "InsulinCompleteViewController");
    EXPECT_EQ(game.logs(), (std::vector<std::string>{"25.000000", "Hello"}));
    EXPECT_EQ(game.control("coinsLabel")["text"], "5");
    EXPECT_EQ(game.control("doseGivenLabel")["text"], "2");
    EXPECT_EQ(game.control("reasonsLabel")["text"], "Because you ate 25 carbs\n");
    game.play({"tap done"});
    EXPECT_EQ(game.stack(), std::vector<std::string>{"ViewController"});
    EXPECT_EQ(game.control("coinsLabel")["text"], "5");
}

TEST(BolusFlow, TheCounterAddsItsGramsToTheMeal)
{
    Game game;
    game.play({"tap ->InsulinFoodViewController", "tap carbCounterButtonPressed", "tap ->CarbCounterAddViewController",
               "tap addButtonPressed", "tap <-unwind"});
    EXPECT_EQ(game.control("carbCounterLabel")["text"], "Including 50g of carbs you're eating");
    game.play({"tap continueButtonClicked"});
    EXPECT_EQ(game.logs(), std::vector<std::string>{"75.000000"});
    game.play({"toggle eSwitch", "tap continueButtonPressed"});
    EXPECT_EQ(game.control("suggestedBolusLabel")["text"], "5");
    EXPECT_EQ(game.control("reasonsLabel")["text"], "Because you ate 75 carbs\n\nYou're about to exercise");
    game.play({"tap ->InsulinGivingViewController", "wait 2"});
    EXPECT_EQ(game.control("doseGivenLabel")["text"], "5");
}

TEST(BolusFlow, AStoppedDoseEndsHomeWithTheBolusCleared)
{
    Game game;
    game.play({"tap ->InsulinFoodViewController", "tap continueButtonClicked", "tap continueButtonPressed",
               "tap ->InsulinGivingViewController", "wait 1", "tap clearState"});
    EXPECT_EQ(game.screen(), "InsulinStoppedViewController");
    EXPECT_EQ(game.control("partialDoseLabel")["text"], "1");
    game.play({"wait 5"});
    EXPECT_EQ(game.screen(), "InsulinStoppedViewController");
    game.play({"tap doneButtonPressed"});
    EXPECT_EQ(game.stack(), std::vector<std::string>{"ViewController"});
    EXPECT_EQ(game.state().coins(), 0.0f);
    EXPECT_EQ(game.state().bolusTarget(), 0.0f);
    EXPECT_EQ(game.state().carbsMostRecentMeal(), 0.0f);
    EXPECT_EQ(game.logs(), (std::vector<std::string>{"25.000000", "Hello"}));
}

} // namespace
} // namespace bc
