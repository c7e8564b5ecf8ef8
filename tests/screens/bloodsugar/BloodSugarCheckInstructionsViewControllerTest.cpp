#include "screens/bloodsugar/BloodSugarCheckInstructionsViewController.h"
#include "support/Game.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

using test::Game;

TEST(CheckInstructions, HidesTheBarOnArrival)
{
    Game game;
    game.play({"tap ->BloodSugarViewController", "tap ->BloodSugarCheckInstructionsViewController"});
    EXPECT_TRUE(game.app().navigation().isNavigationBarHidden());
    EXPECT_TRUE(game.run("tap navBack").contains("error")) << "no bar, so no bar back";
}

TEST(CheckInstructions, GivesTheBarBackAsItLeaves)
{
    Game game;
    game.play({"tap ->BloodSugarViewController", "tap ->BloodSugarCheckInstructionsViewController"});
    auto* screen = game.app().top();
    ASSERT_EQ(screen->className(), "BloodSugarCheckInstructionsViewController");
    screen->viewWillDisappear(true);
    EXPECT_FALSE(game.app().navigation().isNavigationBarHidden());
}

TEST(CheckInstructions, TheScreensItLeadsToHideTheBarAgain)
{
    Game game;
    game.play({"tap ->BloodSugarViewController", "tap ->BloodSugarCheckInstructionsViewController",
               "tap ->AskForBloodViewController"});
    EXPECT_TRUE(game.app().navigation().isNavigationBarHidden());
    game.play({"tap backButtonPressed", "tap <-pop"});
    EXPECT_EQ(game.screen(), "BloodSugarViewController");
    EXPECT_TRUE(game.app().navigation().isNavigationBarHidden());
    game.play({"tap ->BloodSugarCheckInstructionsViewController", "tap <-root"});
    EXPECT_EQ(game.stack(), (std::vector<std::string>{"ViewController"}));
    EXPECT_TRUE(game.app().navigation().isNavigationBarHidden());
}

TEST(CheckInstructions, ChangesNothingInTheCareState)
{
    Game game;
    const auto before = game.run("state");
    game.play({"tap ->BloodSugarViewController", "tap ->BloodSugarCheckInstructionsViewController", "tap <-pop"});
    EXPECT_EQ(game.run("state"), before);
}

} // namespace
} // namespace bc
