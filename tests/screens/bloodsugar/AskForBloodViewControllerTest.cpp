#include "screens/bloodsugar/AskForBloodViewController.h"
#include "support/Game.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

using test::Game;

const std::vector<std::string> kToAskForBlood{"tap ->BloodSugarViewController",
                                              "tap ->BloodSugarCheckInstructionsViewController",
                                              "tap ->AskForBloodViewController"};

TEST(AskForBlood, ShowsTheBalanceWithTheBarHidden)
{
    Game game;
    game.play({"tap cheat"});
    game.play(kToAskForBlood);
    EXPECT_EQ(game.screen(), "AskForBloodViewController");
    EXPECT_EQ(game.control("coinsLabel")["text"], "50");
    EXPECT_TRUE(game.app().navigation().isNavigationBarHidden());
}

TEST(AskForBlood, CoinLabelIsWrittenOnlyWhenLoaded)
{
    Game game;
    game.play(kToAskForBlood);
    game.play({"tap ->BloodSugarCheckInProgressViewController", "set coins 30", "tap backButtonPressed"});
    ASSERT_EQ(game.screen(), "AskForBloodViewController");
    EXPECT_EQ(game.control("coinsLabel")["text"], "0");
}

TEST(AskForBlood, BackGoesToTheInstructionsAndHomeGoesHome)
{
    Game game;
    game.play(kToAskForBlood);
    game.play({"tap backButtonPressed"});
    EXPECT_EQ(game.screen(), "BloodSugarCheckInstructionsViewController");
    game.play({"tap ->AskForBloodViewController", "tap homeButtonPressed"});
    EXPECT_EQ(game.stack(), (std::vector<std::string>{"ViewController"}));
    EXPECT_TRUE(game.app().navigation().isNavigationBarHidden());
}

} // namespace
} // namespace bc
