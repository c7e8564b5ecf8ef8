#include "screens/bloodsugar/BloodSugarViewController.h"
#include "screens/bloodsugar/CheckWalk.h"
#include "support/Game.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

using test::Game;

TEST(BloodSugarScreen, FreshStateShowsWholeNumberAndRedAlert)
{
    Game game;
    game.play({"tap ->BloodSugarViewController"});
    EXPECT_EQ(game.screen(), "BloodSugarViewController");
    EXPECT_EQ(game.control("bloodSugarLabel")["text"], "150");
    EXPECT_EQ(game.control("screenBackground")["picture"], "checkred.jpg");
    EXPECT_EQ(game.control("coinsLabel")["text"], "0");
    EXPECT_TRUE(game.app().navigation().isNavigationBarHidden());
}

struct BandCase {
    const char* reading;
    const char* shown;
    const char* picture;
};

class BloodSugarScreenBand : public ::testing::TestWithParam<BandCase> {};

TEST_P(BloodSugarScreenBand, GreenOnlyStrictlyBetween70And140)
{
    Game game;
    game.play({std::string("set bloodSugarLevel ") + GetParam().reading, "tap ->BloodSugarViewController"});
    EXPECT_EQ(game.control("bloodSugarLabel")["text"], GetParam().shown);
    EXPECT_EQ(game.control("screenBackground")["picture"], GetParam().picture);
}

INSTANTIATE_TEST_SUITE_P(Limits, BloodSugarScreenBand,
                         ::testing::Values(BandCase{"70", "70", "checkred.jpg"}, BandCase{"71", "71", "checkgreen.jpg"},
                                           BandCase{"139", "139", "checkgreen.jpg"},
                                           BandCase{"140", "140", "checkred.jpg"},
                                           BandCase{"99", "99", "checkgreen.jpg"},
                                           BandCase{"125", "125", "checkgreen.jpg"},
                                           BandCase{"145", "145", "checkred.jpg"},
                                           BandCase{"69.6", "70", "checkred.jpg"},
                                           BandCase{"139.6", "140", "checkgreen.jpg"}));

TEST(BloodSugarScreen, ComingBackByBackKeepsTheValuesOfItsLoad)
{
    Game game;
    game.play(test::toCheckInProgress());
    game.app().random().seed(test::seedDrawing(15));
    game.play({"tap goodButtonPressed"});
    ASSERT_EQ(game.state().bloodSugarLevel(), 85.0f);
    game.play({"tap backButtonPressed", "tap backButtonPressed", "tap backButtonPressed", "tap <-pop"});
    ASSERT_EQ(game.screen(), "BloodSugarViewController");
    EXPECT_EQ(game.control("bloodSugarLabel")["text"], "150");
    EXPECT_EQ(game.control("screenBackground")["picture"], "checkred.jpg");
    EXPECT_EQ(game.control("coinsLabel")["text"], "0") << "the 5 coins of the check show only on a new arrival";
    EXPECT_TRUE(game.app().navigation().isNavigationBarHidden());
}

TEST(BloodSugarScreen, ANewArrivalShowsTheNewReading)
{
    Game game;
    game.play({"tap ->BloodSugarViewController", "tap homeButtonPressed", "set bloodSugarLevel 88",
               "tap ->BloodSugarViewController"});
    EXPECT_EQ(game.control("bloodSugarLabel")["text"], "88");
    EXPECT_EQ(game.control("screenBackground")["picture"], "checkgreen.jpg");
}

TEST(BloodSugarScreen, BackAndHomeBothLandOnHome)
{
    Game game;
    game.play({"tap ->BloodSugarViewController", "tap backButtonPressed"});
    EXPECT_EQ(game.stack(), (std::vector<std::string>{"ViewController"}));
    game.play({"tap ->BloodSugarViewController", "tap homeButtonPressed"});
    EXPECT_EQ(game.stack(), (std::vector<std::string>{"ViewController"}));
}

TEST(BloodSugarScreen, LeadsToTrendsAndToTheCheck)
{
    Game game;
    game.play({"tap ->BloodSugarViewController", "tap ->TrendsViewController"});
    EXPECT_EQ(game.screen(), "TrendsViewController");
    game.play({"tap backButtonPressed", "tap ->BloodSugarCheckInstructionsViewController"});
    EXPECT_EQ(game.screen(), "BloodSugarCheckInstructionsViewController");
}

} // namespace
} // namespace bc
