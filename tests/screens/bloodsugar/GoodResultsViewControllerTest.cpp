#include "screens/bloodsugar/GoodResultsViewController.h"
#include "platform/Format.h"
#include "screens/bloodsugar/CheckWalk.h"
#include "support/Game.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

using test::Game;

TEST(GoodResult, FirstGoodCheckPaysFiveAndShowsTheReadingWithOneDecimal)
{
    Game game;
    game.play(test::toCheckInProgress());
    game.app().random().seed(test::seedDrawing(13));
    game.play({"tap goodButtonPressed"});
    ASSERT_EQ(game.screen(), "GoodResultsViewController");
    EXPECT_EQ(game.control("bloodSugarLabel")["text"], "83.0");
    EXPECT_EQ(game.control("coinsLabel")["text"], "5") << "the award comes before the first refresh";
    EXPECT_EQ(game.state().coins(), 5.0f);
    EXPECT_TRUE(game.app().navigation().isNavigationBarHidden());
}

TEST(GoodResult, ShowsTheReadingTheButtonStored)
{
    Game game;
    game.play(test::toCheckInProgress());
    for (std::uint64_t seed = 1; seed <= 5; ++seed) {
        game.app().random().seed(seed);
        game.play({"tap goodButtonPressed"});
        EXPECT_EQ(game.control("bloodSugarLabel")["text"],
                  stringWithFormat("%.1f", static_cast<double>(game.state().bloodSugarLevel())));
        game.play({"tap backButtonPressed"});
    }
}

TEST(GoodResult, EveryArrivalPaysFiveMore)
{
    Game game;
    game.play(test::toCheckInProgress());
    game.play({"tap goodButtonPressed", "tap backButtonPressed", "tap goodButtonPressed"});
    EXPECT_EQ(game.state().coins(), 10.0f);
    EXPECT_EQ(game.control("coinsLabel")["text"], "10");
    game.play({"tap homeButtonPressed"});
    game.play(test::toCheckInProgress());
    game.play({"tap goodButtonPressed"});
    EXPECT_EQ(game.state().coins(), 15.0f);
}

TEST(GoodResult, ComingBackFromTheExplanationNeitherPaysNorRefreshes)
{
    Game game;
    game.play(test::toCheckInProgress());
    game.play({"tap goodButtonPressed", "tap ->BloodSugarResultsViewController", "set coins 40", "tap <-pop"});
    ASSERT_EQ(game.screen(), "GoodResultsViewController");
    EXPECT_EQ(game.state().coins(), 40.0f);
    EXPECT_EQ(game.control("coinsLabel")["text"], "5");
}

TEST(GoodResult, AddCoinsAddsFiveToWhateverIsThere)
{
    Game game;
    game.play({"tap cheat"});
    game.play(test::toCheckInProgress());
    game.play({"tap goodButtonPressed"});
    EXPECT_EQ(game.control("coinsLabel")["text"], "55");
    static_cast<GoodResultsViewController*>(game.app().top())->addCoins();
    EXPECT_EQ(game.state().coins(), 60.0f);
}

// The home screen follows the new reading as soon as the child is back.
struct HomeCase {
    std::uint32_t draw;
    const char* reading;
    const char* background;
    const char* check;
};

class GoodResultThenHome : public ::testing::TestWithParam<HomeCase> {};

TEST_P(GoodResultThenHome, HomeShowsTheReadingAndItsMood)
{
    Game game;
    game.play(test::toCheckInProgress());
    game.app().random().seed(test::seedDrawing(GetParam().draw));
    game.play({"tap goodButtonPressed", "tap homeButtonPressed"});
    ASSERT_EQ(game.screen(), "ViewController");
    EXPECT_EQ(game.control("cgmReadingLabel")["text"], GetParam().reading);
    EXPECT_EQ(game.control("screenBackground")["picture"], GetParam().background);
    EXPECT_EQ(game.control("coinsLabel")["text"], "5");
    game.play({"tap ->BloodSugarViewController"});
    EXPECT_EQ(game.control("screenBackground")["picture"], GetParam().check);
}

INSTANTIATE_TEST_SUITE_P(Band, GoodResultThenHome,
                         ::testing::Values(HomeCase{0, "70.0", "sadhomescreen.jpg", "checkred.jpg"},
                                           HomeCase{1, "71.0", "homescreen.jpg", "checkgreen.jpg"},
                                           HomeCase{29, "99.0", "homescreen.jpg", "checkgreen.jpg"}));

} // namespace
} // namespace bc
