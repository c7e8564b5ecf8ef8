#include "screens/bloodsugar/BadResultsViewController.h"
#include "screens/bloodsugar/CheckWalk.h"
#include "support/Game.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

using test::Game;

TEST(BadResult, ShowsTheReadingWithOneDecimalAndPaysNothing)
{
    Game game;
    game.play(test::toCheckInProgress());
    game.app().random().seed(test::seedDrawing(11));
    game.play({"tap badButtonPressed"});
    ASSERT_EQ(game.screen(), "BadResultsViewController");
    EXPECT_EQ(game.control("bloodSugarLabel")["text"], "131.0");
    EXPECT_EQ(game.control("coinsLabel")["text"], "0");
    EXPECT_EQ(game.state().coins(), 0.0f);
    EXPECT_TRUE(game.app().navigation().isNavigationBarHidden());
}

TEST(BadResult, AGoodAndABadCheckPayFiveInAll)
{
    Game game;
    game.play(test::toCheckInProgress());
    game.play({"tap goodButtonPressed", "tap backButtonPressed", "tap badButtonPressed"});
    EXPECT_EQ(game.state().coins(), 5.0f);
    EXPECT_EQ(game.control("coinsLabel")["text"], "5");
}

TEST(BadResult, ChangesNothingButTheReading)
{
    Game game;
    game.play(test::toCheckInProgress());
    auto before = game.run("state");
    game.play({"tap badButtonPressed", "tap ->BloodSugarResultsViewController", "tap <-pop", "tap backButtonPressed"});
    auto after = game.run("state");
    before.erase("bloodSugarLevel");
    after.erase("bloodSugarLevel");
    EXPECT_EQ(after, before);
}

TEST(BadResult, ComingBackDoesNotRefresh)
{
    Game game;
    game.play(test::toCheckInProgress());
    game.play({"tap badButtonPressed"});
    const auto shown = game.control("bloodSugarLabel")["text"];
    game.play({"tap ->BloodSugarResultsViewController", "set bloodSugarLevel 101", "set coins 9", "tap <-pop"});
    EXPECT_EQ(game.control("bloodSugarLabel")["text"], shown);
    EXPECT_EQ(game.control("coinsLabel")["text"], "0");
}

struct HomeCase {
    std::uint32_t draw;
    const char* reading;
    const char* background;
    const char* check;
};

class BadResultThenHome : public ::testing::TestWithParam<HomeCase> {};

TEST_P(BadResultThenHome, HomeShowsTheReadingAndItsMood)
{
    Game game;
    game.play(test::toCheckInProgress());
    game.app().random().seed(test::seedDrawing(GetParam().draw));
    game.play({"tap badButtonPressed", "tap homeButtonPressed"});
    ASSERT_EQ(game.screen(), "ViewController");
    EXPECT_EQ(game.control("cgmReadingLabel")["text"], GetParam().reading);
    EXPECT_EQ(game.control("screenBackground")["picture"], GetParam().background);
    game.play({"tap ->BloodSugarViewController"});
    EXPECT_EQ(game.control("screenBackground")["picture"], GetParam().check);
}

// A bad check from 120 to 139 still lies inside the band; only 140 and up is high.
INSTANTIATE_TEST_SUITE_P(Band, BadResultThenHome,
                         ::testing::Values(HomeCase{0, "120.0", "homescreen.jpg", "checkgreen.jpg"},
                                           HomeCase{19, "139.0", "homescreen.jpg", "checkgreen.jpg"},
                                           HomeCase{20, "140.0", "sadhomescreen.jpg", "checkred.jpg"},
                                           HomeCase{29, "149.0", "sadhomescreen.jpg", "checkred.jpg"}));

} // namespace
} // namespace bc
