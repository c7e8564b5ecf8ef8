#include "support/Game.h"

#include <gtest/gtest.h>

#include <ostream>

namespace bc {
namespace {

using test::Game;

void openGames(Game& game)
{
    game.play({"tap buddyPlace", "tap ->GamesScreenViewController"});
    ASSERT_EQ(game.screen(), "GamesScreenViewController");
}

TEST(GamesMood, SadAtTheStartingReading)
{
    Game game;
    game.play({"set coins 85"});
    openGames(game);
    EXPECT_EQ(game.control("screenBackground")["picture"], "sadgame.png");
    EXPECT_EQ(game.control("coinsLabel")["text"], "85");
    EXPECT_TRUE(game.app().navigation().isNavigationBarHidden());
}

class GamesBand : public ::testing::TestWithParam<std::pair<float, const char*>> {};

TEST_P(GamesBand, BothLimitsAreSad)
{
    Game game;
    game.state().setBloodSugarLevel(GetParam().first);
    openGames(game);
    EXPECT_EQ(game.control("screenBackground")["picture"], GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Limits, GamesBand,
                         ::testing::Values(std::pair{70.0f, "sadgame.png"}, std::pair{71.0f, "games.png"},
                                           std::pair{139.0f, "games.png"}, std::pair{140.0f, "sadgame.png"},
                                           std::pair{250.0f, "sadgame.png"}));

struct Lists {
    AppState::List items;
    AppState::List wearing;
    bool hidden;
};

void PrintTo(const Lists& l, std::ostream* os)
{
    *os << l.items.size() << " owned, " << l.wearing.size() << " worn";
}

class GamesOverlay : public ::testing::TestWithParam<Lists> {};

TEST_P(GamesOverlay, ShowsOnlyWhenOwnedAndWorn)
{
    Game game;
    game.state().setItems(GetParam().items);
    game.state().setWearing(GetParam().wearing);
    openGames(game);
    EXPECT_EQ(game.control("itemWorn")["hidden"], GetParam().hidden);
}

INSTANTIATE_TEST_SUITE_P(Lists, GamesOverlay,
                         ::testing::Values(Lists{{}, {}, true}, Lists{{}, {"bowtie.jpg"}, true},
                                           Lists{{"bowtie"}, {}, true}, Lists{{"bowtie"}, {"bowtie.jpg"}, false}));

TEST(GamesRefresh, RereadsTheStateWhenTheChildComesBack)
{
    Game game;
    openGames(game);
    // Nothing leads on from the games screen, so put a screen above it by hand.
    game.app().navigation().pushViewController(game.app().storyboard().instantiate("SettingsMainViewController", game.app().services()), false);
    game.play({"set bloodSugarLevel 110", "set coins 20", "tap backButtonPressed"});
    ASSERT_EQ(game.screen(), "GamesScreenViewController");
    EXPECT_EQ(game.control("screenBackground")["picture"], "games.png");
    EXPECT_EQ(game.control("coinsLabel")["text"], "20");
}

TEST(GamesLeaves, NeverWritesTheState)
{
    Game game;
    game.state().setBloodSugarLevel(120);
    const auto before = game.run("state");
    openGames(game);
    game.play({"tap backButtonPressed", "tap ->GamesScreenViewController", "tap homeButtonPressed"});
    EXPECT_EQ(game.stack(), (std::vector<std::string>{"ViewController"}));
    EXPECT_EQ(game.run("state"), before);
}

} // namespace
} // namespace bc
