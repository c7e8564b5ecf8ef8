#include "screens/bloodsugar/TrendsViewController.h"
#include "support/Game.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

using test::Game;

TEST(Trends, ShowsTheBalanceWithTheBarHidden)
{
    Game game;
    game.play({"tap cheat", "tap ->BloodSugarViewController", "tap ->TrendsViewController"});
    EXPECT_EQ(game.screen(), "TrendsViewController");
    EXPECT_EQ(game.control("coinsLabel")["text"], "50");
    EXPECT_TRUE(game.app().navigation().isNavigationBarHidden());
}

TEST(Trends, DoesNotRefreshWhenItAppearsAgain)
{
    Game game;
    game.play({"tap ->BloodSugarViewController", "tap ->TrendsViewController", "set coins 20"});
    game.app().top()->viewWillAppear(false);
    EXPECT_EQ(game.control("coinsLabel")["text"], "0");
}

TEST(Trends, ReadsNothingButCoinsAndWritesNothing)
{
    Game game;
    const auto before = game.run("state");
    game.play({"tap ->BloodSugarViewController", "tap ->TrendsViewController", "tap backButtonPressed"});
    EXPECT_EQ(game.screen(), "BloodSugarViewController");
    EXPECT_EQ(game.run("state"), before);
    game.play({"tap ->TrendsViewController", "tap homeButtonPressed"});
    EXPECT_EQ(game.stack(), (std::vector<std::string>{"ViewController"}));
}

} // namespace
} // namespace bc
