#include "screens/insulin/InsulinFoodViewController.h"
#include "support/Game.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

using test::Game;

constexpr const char* kCounterText = "Including 50g of carbs you're eating";

TEST(MealQuestionShows, TheRememberedMealWithTheSwitchOn)
{
    Game game;
    game.play({"tap ->InsulinFoodViewController"});
    EXPECT_EQ(game.screen(), "InsulinFoodViewController");
    EXPECT_EQ(game.control("carbsLabel")["text"], "Include the 25 carbs you ate?");
    EXPECT_EQ(game.control("carbsLabel")["hidden"], false);
    EXPECT_EQ(game.control("yesSwitch")["on"], true);
    EXPECT_EQ(game.control("yesSwitch")["hidden"], false);
    EXPECT_EQ(game.control("yesNoLabel")["text"], "Yes");
    EXPECT_NE(game.control("carbCounterLabel")["text"], kCounterText);
    EXPECT_EQ(game.control("coinsLabel")["text"], "0");
    EXPECT_TRUE(game.app().navigation().isNavigationBarHidden());
}

TEST(MealQuestionShows, NoQuestionOnceTheMealIsCovered)
{
    Game game;
    game.play({"set carbsMostRecentMeal 0", "tap ->InsulinFoodViewController"});
    EXPECT_EQ(game.control("carbsLabel")["hidden"], true);
    EXPECT_EQ(game.control("yesSwitch")["hidden"], true);
    EXPECT_EQ(game.control("yesNoLabel")["hidden"], true);
}

TEST(MealQuestionShows, TheCounterTextOnlyWhileAVisitFromHereIsOpen)
{
    Game game;
    game.play({"tap ->InsulinFoodViewController", "tap carbCounterButtonPressed"});
    EXPECT_EQ(game.screen(), "CarbCounterMainViewController");
    EXPECT_TRUE(game.state().fromInsulinScreen());
    game.play({"tap ->CarbCounterAddViewController", "tap addButtonPressed", "tap <-unwind"});
    EXPECT_EQ(game.screen(), "InsulinFoodViewController");
    EXPECT_EQ(game.control("carbCounterLabel")["text"], kCounterText);
}

TEST(MealQuestionShows, TheCounterTextWithTheQuestionHidden)
{
    Game game;
    game.play({"set carbsMostRecentMeal 0", "set carbsFromCounter 50", "set fromInsulinScreen true",
               "tap ->InsulinFoodViewController"});
    EXPECT_EQ(game.control("carbsLabel")["hidden"], true);
    EXPECT_EQ(game.control("carbCounterLabel")["text"], kCounterText);
}

TEST(MealQuestionSwitch, EchoesYesAndNoWithoutTouchingTheState)
{
    Game game;
    game.play({"tap ->InsulinFoodViewController", "toggle yesSwitch"});
    EXPECT_EQ(game.control("yesNoLabel")["text"], "No");
    EXPECT_TRUE(game.state().includeMostRecentMeal()) << "only continue stores the answer";
    game.play({"toggle yesSwitch"});
    EXPECT_EQ(game.control("yesNoLabel")["text"], "Yes");
}

TEST(MealQuestionSwitch, KeepsTheChildsAnswerAcrossACounterVisit)
{
    Game game;
    game.play({"tap ->InsulinFoodViewController", "toggle yesSwitch", "tap carbCounterButtonPressed",
               "tap backButtonPressed"});
    EXPECT_EQ(game.screen(), "InsulinFoodViewController");
    EXPECT_EQ(game.control("yesSwitch")["on"], false);
    EXPECT_EQ(game.control("yesNoLabel")["text"], "No");
}

// Everything the continue decision reads, and what it should leave behind.
struct ContinueCase {
    const char* name;
    bool fromInsulinScreen;
    bool switchOn;
    float meal;
    float counter;
    float expected;
};

class MealQuestionContinue : public ::testing::TestWithParam<ContinueCase> {};

TEST_P(MealQuestionContinue, DecidesTheGramsToCover)
{
    const auto& c = GetParam();
    Game game;
    game.state().setCarbsMostRecentMeal(c.meal);
    game.state().setCarbsFromCounter(c.counter);
    game.state().setCarbsNotAddressed(25);
    game.play({"tap ->InsulinFoodViewController"});
    game.state().setFromInsulinScreen(c.fromInsulinScreen);
    auto* screen = dynamic_cast<InsulinFoodViewController*>(game.app().top());
    ASSERT_NE(screen, nullptr);
    screen->yesSwitch->setOn(c.switchOn);
    game.play({"tap continueButtonClicked"});

    EXPECT_EQ(game.state().carbsNotAddressed(), c.expected);
    EXPECT_EQ(game.state().includeMostRecentMeal(), c.switchOn);
    EXPECT_FALSE(game.state().fromInsulinScreen());
    EXPECT_EQ(game.screen(), "InsulinExerciseViewController");
    ASSERT_EQ(game.logs().size(), 1u);
    EXPECT_EQ(game.logs()[0], std::to_string(c.expected)) << "one \"%f\" line with the grams, even when unchanged";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MealQuestionContinue,
    ::testing::Values(ContinueCase{"StartingMealIncluded", false, true, 25, 0, 25},
                      ContinueCase{"StartingMealLeftOutKeepsWhatWasThere", false, false, 25, 0, 25},
                      ContinueCase{"CounterAndMeal", true, true, 25, 50, 75},
                      ContinueCase{"CounterOnly", true, false, 25, 50, 50},
                      ContinueCase{"AbandonedCounterGramsStillCountWithTheMeal", false, true, 25, 50, 75},
                      ContinueCase{"CoveredMealHiddenSwitchOnCounter", true, true, 0, 50, 50},
                      ContinueCase{"CoveredMealHiddenSwitchOffCounter", true, false, 0, 50, 50}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MealQuestionContinue, LeftOutMealLeavesAnEarlierFigureStanding)
{
    Game game;
    game.play({"set carbsNotAddressed 40", "set carbsFromCounter 50", "tap ->InsulinFoodViewController",
               "toggle yesSwitch", "tap continueButtonClicked"});
    EXPECT_EQ(game.state().carbsNotAddressed(), 40.0f);
    EXPECT_FALSE(game.state().includeMostRecentMeal());
    ASSERT_EQ(game.logs().size(), 1u);
    EXPECT_EQ(game.logs()[0], "40.000000");
}

TEST(MealQuestionContinue, StoresTheHiddenSwitch)
{
    Game game;
    game.play({"tap ->InsulinFoodViewController", "toggle yesSwitch", "set carbsMostRecentMeal 0"});
    auto* screen = dynamic_cast<InsulinFoodViewController*>(game.app().top());
    ASSERT_NE(screen, nullptr);
    screen->updateUI();
    EXPECT_EQ(game.control("yesSwitch")["hidden"], true);
    screen->continueButtonClicked(nullptr);
    EXPECT_FALSE(game.state().includeMostRecentMeal());
}

TEST(MealQuestionLeaving, CancelBackAndHomeLeaveTheCounterMark)
{
    for (const char* exit : {"cancelButtonPressed", "backButtonPressed", "homeButtonPressed"}) {
        Game game;
        game.play({"tap ->InsulinFoodViewController", "set fromInsulinScreen true", std::string("tap ") + exit});
        EXPECT_EQ(game.screen(), "ViewController") << exit;
        EXPECT_TRUE(game.state().fromInsulinScreen()) << exit;
        EXPECT_EQ(game.state().carbsNotAddressed(), 25.0f) << exit;
    }
}

} // namespace
} // namespace bc
