#include "screens/insulin/InsulinGivingViewController.h"
#include "support/Game.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace bc {
namespace {

using test::Game;

const std::vector<std::string> kBolusStack{"ViewController",
                                           "InsulinFoodViewController",
                                           "InsulinExerciseViewController",
                                           "InsulinSuggestionViewController",
                                           "InsulinGivingViewController"};

void reachDelivery(Game& game)
{
    game.play({"tap ->InsulinFoodViewController", "tap continueButtonClicked", "tap continueButtonPressed",
               "tap ->InsulinGivingViewController"});
    ASSERT_EQ(game.stack(), kBolusStack);
    game.logs().clear();
}

InsulinGivingViewController* deliveryScreen(Game& game)
{
    return dynamic_cast<InsulinGivingViewController*>(game.app().top());
}

long countOf(const std::vector<std::string>& lines, const std::string& line)
{
    return std::count(lines.begin(), lines.end(), line);
}

TEST(DeliveryShows, TheWholeDoseRounded)
{
    Game game;
    reachDelivery(game);
    EXPECT_EQ(game.control("givingDoseLabel")["text"], "2");
    EXPECT_EQ(game.control("coinsLabel")["text"], "0");
}

TEST(DeliveryShows, WhatRemainsOfTheDose)
{
    Game game;
    reachDelivery(game);
    game.play({"set bolusTarget 4", "set bolusGiven 1"});
    auto* screen = deliveryScreen(game);
    ASSERT_NE(screen, nullptr);
    screen->updateUI();
    EXPECT_EQ(game.control("givingDoseLabel")["text"], "3");
}

TEST(DeliveryShows, NeverTheDoneButton)
{
    Game game;
    reachDelivery(game);
    EXPECT_EQ(game.control("doneButton")["hidden"], true);
    auto* screen = deliveryScreen(game);
    ASSERT_NE(screen, nullptr);
    screen->doneButton->setHidden(false);
    screen->viewWillAppear(false);
    EXPECT_EQ(game.control("doneButton")["hidden"], true);
}

TEST(DeliveryStop, CountsHalfOfWhatRemained)
{
    Game game;
    reachDelivery(game);
    auto* screen = deliveryScreen(game);
    ASSERT_NE(screen, nullptr);
    game.play({"set bolusTarget 4", "set bolusGiven 1"});
    screen->clearState();
    EXPECT_EQ(game.state().bolusJustGiven(), 1.5f);
    EXPECT_EQ(game.state().bolusGiven(), 4.0f);
    EXPECT_EQ(game.state().bolusTarget(), 4.0f);
}

TEST(DeliveryStop, ASecondStopFindsNothingLeft)
{
    Game game;
    reachDelivery(game);
    auto* screen = deliveryScreen(game);
    ASSERT_NE(screen, nullptr);
    game.play({"set bolusTarget 4", "set bolusGiven 0"});
    screen->clearState();
    EXPECT_EQ(game.state().bolusJustGiven(), 2.0f);
    EXPECT_EQ(game.state().bolusGiven(), 4.0f);
    screen->clearState();
    EXPECT_EQ(game.state().bolusJustGiven(), 0.0f);
}

TEST(DeliveryTimer, MovesOnAfterTwoSeconds)
{
    Game game;
    reachDelivery(game);
    game.play({"wait 1.9"});
    EXPECT_EQ(game.screen(), "InsulinGivingViewController");
    EXPECT_TRUE(game.logs().empty());
    game.play({"wait 0.1"});
    EXPECT_EQ(game.screen(), "InsulinCompleteViewController");
    EXPECT_EQ(game.logs(), std::vector<std::string>{"Hello"});
}

TEST(DeliveryTimer, FiresOnceAndPushesOnce)
{
    Game game;
    reachDelivery(game);
    game.play({"wait 2", "wait 10"});
    auto expected = kBolusStack;
    expected.push_back("InsulinCompleteViewController");
    EXPECT_EQ(game.stack(), expected);
    EXPECT_EQ(countOf(game.logs(), "Hello"), 1);
    EXPECT_EQ(game.state().coins(), 5.0f);
}

TEST(DeliveryTimer, MovesOnWithANothingDose)
{
    Game game;
    game.play({"set carbsMostRecentMeal 0", "set carbsNotAddressed 0"});
    reachDelivery(game);
    EXPECT_EQ(game.control("givingDoseLabel")["text"], "0");
    game.play({"wait 2"});
    EXPECT_EQ(game.screen(), "InsulinCompleteViewController");
}

TEST(DeliveryTimerRace, AStoppedDoseIsNotCompleted)
{
    Game game;
    reachDelivery(game);
    game.play({"wait 1", "tap clearState"});
    ASSERT_EQ(game.screen(), "InsulinStoppedViewController");
    game.play({"wait 1"});
    EXPECT_EQ(game.screen(), "InsulinStoppedViewController");
    EXPECT_EQ(game.stack().size(), kBolusStack.size() + 1);
    EXPECT_EQ(game.logs(), std::vector<std::string>{"Hello"});
    EXPECT_EQ(game.state().coins(), 0.0f);
    EXPECT_EQ(game.control("partialDoseLabel")["text"], "1");
}

TEST(DeliveryTimerRace, BackBeforeTheEndCompletesNothing)
{
    Game game;
    reachDelivery(game);
    game.play({"wait 0.5", "tap backButtonPressed", "wait 2"});
    EXPECT_EQ(game.screen(), "InsulinSuggestionViewController");
    EXPECT_EQ(game.logs(), std::vector<std::string>{"Hello"});
    EXPECT_EQ(game.state().coins(), 0.0f);
}

TEST(DeliveryTimerRace, HomeBeforeTheEndCompletesNothing)
{
    Game game;
    reachDelivery(game);
    game.play({"tap homeButtonPressed", "wait 3"});
    EXPECT_EQ(game.stack(), std::vector<std::string>{"ViewController"});
    EXPECT_EQ(game.logs(), std::vector<std::string>{"Hello"});
    EXPECT_EQ(game.state().coins(), 0.0f);
    EXPECT_EQ(game.control("coinsLabel")["text"], "0");
}

TEST(DeliveryTimerRace, AnAbandonedDeliveryDoesNotCompleteTheNextOne)
{
    Game game;
    reachDelivery(game);
    game.play({"wait 1", "tap backButtonPressed", "tap ->InsulinGivingViewController", "wait 1"});
    // The first timer is due now and must not push anything.
    EXPECT_EQ(game.screen(), "InsulinGivingViewController");
    EXPECT_EQ(game.logs(), std::vector<std::string>{"Hello"});
    game.play({"wait 1"});
    auto expected = kBolusStack;
    expected.push_back("InsulinCompleteViewController");
    EXPECT_EQ(game.stack(), expected);
    EXPECT_EQ(countOf(game.logs(), "Hello"), 2);
    EXPECT_EQ(game.state().coins(), 5.0f);
}

} // namespace
} // namespace bc
