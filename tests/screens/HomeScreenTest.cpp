#include "screens/home/ViewController.h"
#include "support/Game.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

using test::Game;

TEST(HomeLaunch, FirstLaunchShowsStartingValues)
{
    Game game;
    EXPECT_EQ(game.stack(), (std::vector<std::string>{"ViewController"}));
    EXPECT_EQ(game.control("cgmReadingLabel")["text"], "150.0");
    EXPECT_EQ(game.control("coinsLabel")["text"], "0");
    EXPECT_EQ(game.control("itemWorn")["hidden"], true);
    EXPECT_EQ(game.control("screenBackground")["picture"], "sadhomescreen.jpg");
    EXPECT_TRUE(game.app().navigation().isNavigationBarHidden());
}

TEST(HomeLaunch, CareStateStartsWithTheStartingValues)
{
    Game game;
    auto s = game.run("state");
    EXPECT_EQ(s["bloodSugarLevel"], 150);
    EXPECT_EQ(s["carbsMostRecentMeal"], 25);
    EXPECT_EQ(s["carbsNotAddressed"], 25);
    EXPECT_EQ(s["carbRatio"], 15);
    EXPECT_EQ(s["basalRate"], 15);
    EXPECT_EQ(s["includeMostRecentMeal"], true);
    EXPECT_EQ(s["settingsLocked"], true);
    EXPECT_EQ(s["coins"], 0);
    EXPECT_EQ(s["fromInsulinScreen"], false);
    EXPECT_EQ(s["aboutToExercise"], false);
    EXPECT_EQ(s["items"], nlohmann::json::array());
    EXPECT_EQ(s["bolusTarget"], 0);
}

TEST(HomeCheat, EachPressAddsFiftyAndShowsIt)
{
    Game game;
    game.play({"tap cheat"});
    EXPECT_EQ(game.control("coinsLabel")["text"], "50");
    game.play({"tap cheat"});
    EXPECT_EQ(game.control("coinsLabel")["text"], "100");
    EXPECT_EQ(game.state().coins(), 100.0f);
}

class HomeBackground : public ::testing::TestWithParam<std::pair<float, const char*>> {};

TEST_P(HomeBackground, FollowsTheBandWithBothLimitsSad)
{
    Game game;
    auto* home = static_cast<ViewController*>(game.app().navigation().viewControllers()[0]);
    game.state().setBloodSugarLevel(GetParam().first);
    home->updateUI();
    EXPECT_EQ(game.control("screenBackground")["picture"], GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Limits, HomeBackground,
                         ::testing::Values(std::pair{140.0f, "sadhomescreen.jpg"}, std::pair{139.9f, "homescreen.jpg"},
                                           std::pair{70.0f, "sadhomescreen.jpg"}, std::pair{70.1f, "homescreen.jpg"},
                                           std::pair{99.0f, "homescreen.jpg"}, std::pair{200.0f, "sadhomescreen.jpg"}));

TEST(HomeOverlay, ShowsOnlyWhenSomethingIsOwnedAndWorn)
{
    Game game;
    auto* home = static_cast<ViewController*>(game.app().navigation().viewControllers()[0]);
    game.state().wearing().push_back("bowtie.jpg");
    home->updateUI();
    EXPECT_EQ(game.control("itemWorn")["hidden"], true) << "worn but not owned";
    game.state().setWearing({});
    game.state().items().push_back("bowtie");
    home->updateUI();
    EXPECT_EQ(game.control("itemWorn")["hidden"], true) << "owned but not worn";
    game.state().wearing().push_back("bowtie.jpg");
    home->updateUI();
    EXPECT_EQ(game.control("itemWorn")["hidden"], false);
}

TEST(HomeReading, ShowsOneDecimal)
{
    Game game;
    auto* home = static_cast<ViewController*>(game.app().navigation().viewControllers()[0]);
    game.state().setBloodSugarLevel(83);
    home->updateUI();
    EXPECT_EQ(game.control("cgmReadingLabel")["text"], "83.0");
}

} // namespace
} // namespace bc
