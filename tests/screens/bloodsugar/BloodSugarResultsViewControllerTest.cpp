#include "screens/bloodsugar/BloodSugarResultsViewController.h"
#include "screens/bloodsugar/CheckWalk.h"
#include "support/Game.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

using test::Game;

TEST(NumberExplained, HidesTheBarWhileShown)
{
    Game game;
    game.play(test::toCheckInProgress());
    game.play({"tap goodButtonPressed", "tap ->BloodSugarResultsViewController"});
    EXPECT_EQ(game.screen(), "BloodSugarResultsViewController");
    EXPECT_TRUE(game.app().navigation().isNavigationBarHidden());
}

TEST(NumberExplained, BackLeavesTheRealBarOnTheResultAndItsBackWorks)
{
    Game game;
    game.play(test::toCheckInProgress());
    game.play({"tap goodButtonPressed", "tap ->BloodSugarResultsViewController", "tap <-pop"});
    ASSERT_EQ(game.screen(), "GoodResultsViewController");
    EXPECT_FALSE(game.app().navigation().isNavigationBarHidden());
    EXPECT_FALSE(game.app().top()->title().empty()) << "the bar shows the screen's title";
    game.play({"tap navBack"});
    EXPECT_EQ(game.screen(), "BloodSugarCheckInProgressViewController");
    EXPECT_TRUE(game.app().navigation().isNavigationBarHidden()) << "the meter hides it again";
    EXPECT_EQ(game.state().coins(), 5.0f) << "the bar's back runs no screen action";
}

TEST(NumberExplained, SameFromTheBadResult)
{
    Game game;
    game.play(test::toCheckInProgress());
    game.play({"tap badButtonPressed", "tap ->BloodSugarResultsViewController", "tap <-pop"});
    ASSERT_EQ(game.screen(), "BadResultsViewController");
    EXPECT_FALSE(game.app().navigation().isNavigationBarHidden());
    game.play({"tap navBack"});
    EXPECT_EQ(game.screen(), "BloodSugarCheckInProgressViewController");
}

TEST(NumberExplained, HomeFromHereEndsWithTheBarHidden)
{
    Game game;
    game.play(test::toCheckInProgress());
    game.play({"tap goodButtonPressed", "tap ->BloodSugarResultsViewController", "tap <-root"});
    EXPECT_EQ(game.stack(), (std::vector<std::string>{"ViewController"}));
    EXPECT_TRUE(game.app().navigation().isNavigationBarHidden());
    EXPECT_EQ(game.state().coins(), 5.0f);
}

TEST(NumberExplained, ResultScreenUnderTheBarStillHasItsOwnHome)
{
    Game game;
    game.play(test::toCheckInProgress());
    game.play({"tap goodButtonPressed", "tap ->BloodSugarResultsViewController", "tap <-pop",
               "tap homeButtonPressed"});
    EXPECT_EQ(game.stack(), (std::vector<std::string>{"ViewController"}));
    EXPECT_TRUE(game.app().navigation().isNavigationBarHidden());
}

} // namespace
} // namespace bc
