#include "support/Game.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

using test::Game;

void openCounterFromMealQuestion(Game& game)
{
    game.play({"tap ->InsulinFoodViewController", "tap carbCounterButtonPressed"});
    ASSERT_EQ(game.screen(), "CarbCounterMainViewController");
    ASSERT_TRUE(game.state().fromInsulinScreen());
}

TEST(CarbCounterShows, TheCoinsOnBothScreens)
{
    Game game;
    game.play({"set coins 205"});
    openCounterFromMealQuestion(game);
    EXPECT_EQ(game.control("coinsLabel")["text"], "205");
    game.play({"tap ->CarbCounterAddViewController"});
    EXPECT_EQ(game.control("coinsLabel")["text"], "205");
    EXPECT_TRUE(game.app().navigation().isNavigationBarHidden());
}

TEST(CarbCounterShows, TheCoinsAsLoadedWhenTheChildComesBack)
{
    Game game;
    openCounterFromMealQuestion(game);
    game.play({"tap ->CarbCounterAddViewController", "set coins 40", "tap backButtonPressed"});
    EXPECT_EQ(game.screen(), "CarbCounterMainViewController");
    EXPECT_EQ(game.control("coinsLabel")["text"], "0");
}

TEST(CarbCounterAdd, RecordsOnePortionOfFiftyGrams)
{
    Game game;
    openCounterFromMealQuestion(game);
    game.play({"tap ->CarbCounterAddViewController", "tap addButtonPressed"});
    EXPECT_EQ(game.state().carbsFromCounter(), 50.0f);
    EXPECT_EQ(game.screen(), "CarbCounterAddViewController") << "adding does not navigate";
    EXPECT_TRUE(game.state().fromInsulinScreen());
    game.play({"tap addButtonPressed", "tap backButtonPressed", "tap ->CarbCounterAddViewController",
               "tap addButtonPressed"});
    EXPECT_EQ(game.state().carbsFromCounter(), 50.0f) << "replaced, never added up";
}

TEST(CarbCounterDone, ReturnsToTheMealQuestionWithTheVisitStillMarked)
{
    Game game;
    openCounterFromMealQuestion(game);
    game.play({"tap ->CarbCounterAddViewController", "tap addButtonPressed", "tap done"});
    EXPECT_EQ(game.stack(), (std::vector<std::string>{"ViewController", "InsulinFoodViewController"}));
    EXPECT_TRUE(game.state().fromInsulinScreen());
    EXPECT_EQ(game.control("carbCounterLabel")["text"], "Including 50g of carbs you're eating");
}

TEST(CarbCounterLeaving, BackFromTheMainScreenEndsTheVisit)
{
    Game game;
    openCounterFromMealQuestion(game);
    game.play({"tap backButtonPressed"});
    EXPECT_EQ(game.screen(), "InsulinFoodViewController");
    EXPECT_FALSE(game.state().fromInsulinScreen());
    EXPECT_NE(game.control("carbCounterLabel")["text"], "Including 50g of carbs you're eating");
}

TEST(CarbCounterLeaving, BackFromTheAddScreenKeepsTheVisitUntilTheMainScreensBack)
{
    Game game;
    openCounterFromMealQuestion(game);
    game.play({"tap ->CarbCounterAddViewController", "tap addButtonPressed", "tap backButtonPressed"});
    EXPECT_EQ(game.screen(), "CarbCounterMainViewController");
    EXPECT_TRUE(game.state().fromInsulinScreen());
    game.play({"tap backButtonPressed"});
    EXPECT_EQ(game.screen(), "InsulinFoodViewController");
    EXPECT_FALSE(game.state().fromInsulinScreen());
    EXPECT_EQ(game.state().carbsFromCounter(), 50.0f);
}

TEST(CarbCounterLeaving, HomeFromEitherScreenEndsTheVisitAndKeepsTheGrams)
{
    Game fromMain;
    openCounterFromMealQuestion(fromMain);
    fromMain.play({"tap ->CarbCounterAddViewController", "tap addButtonPressed", "tap backButtonPressed",
                   "tap homeButtonPressed"});
    EXPECT_EQ(fromMain.stack(), std::vector<std::string>{"ViewController"});
    EXPECT_FALSE(fromMain.state().fromInsulinScreen());
    EXPECT_EQ(fromMain.state().carbsFromCounter(), 50.0f);

    Game fromAdd;
    openCounterFromMealQuestion(fromAdd);
    fromAdd.play({"tap ->CarbCounterAddViewController", "tap addButtonPressed", "tap homeButtonPressed"});
    EXPECT_EQ(fromAdd.stack(), std::vector<std::string>{"ViewController"});
    EXPECT_FALSE(fromAdd.state().fromInsulinScreen());
    EXPECT_EQ(fromAdd.state().carbsFromCounter(), 50.0f);
}

TEST(CarbCounterLeaving, AnAbandonedVisitStillCountsWithTheMeal)
{
    Game game;
    openCounterFromMealQuestion(game);
    game.play({"tap ->CarbCounterAddViewController", "tap addButtonPressed", "tap homeButtonPressed",
               "tap ->InsulinFoodViewController"});
    EXPECT_NE(game.control("carbCounterLabel")["text"], "Including 50g of carbs you're eating");
    game.play({"tap continueButtonClicked"});
    EXPECT_EQ(game.state().carbsNotAddressed(), 75.0f);
}

} // namespace
} // namespace bc
