#include "support/Game.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace bc {
namespace {

using test::Game;

void openBuddyCentral(Game& game)
{
    game.play({"tap buddyPlace"});
    ASSERT_EQ(game.screen(), "BuddyCentralViewController");
}

TEST(BuddyCentralMood, SadAtTheStartingReading)
{
    Game game;
    openBuddyCentral(game);
    EXPECT_EQ(game.control("screenBackground")["picture"], "sadbuddycentral.jpg");
    EXPECT_EQ(game.control("coinsLabel")["text"], "0");
    EXPECT_TRUE(game.app().navigation().isNavigationBarHidden());
}

class BuddyCentralBand : public ::testing::TestWithParam<std::pair<float, const char*>> {};

TEST_P(BuddyCentralBand, BothLimitsAreSad)
{
    Game game;
    game.state().setBloodSugarLevel(GetParam().first);
    openBuddyCentral(game);
    EXPECT_EQ(game.control("screenBackground")["picture"], GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Limits, BuddyCentralBand,
                         ::testing::Values(std::pair{70.0f, "sadbuddycentral.jpg"},
                                           std::pair{71.0f, "happybudycentral.jpg"},
                                           std::pair{139.0f, "happybudycentral.jpg"},
                                           std::pair{140.0f, "sadbuddycentral.jpg"},
                                           std::pair{40.0f, "sadbuddycentral.jpg"}));

TEST(BuddyCentralRefresh, RereadsTheStateWhenTheChildComesBack)
{
    Game game;
    openBuddyCentral(game);
    game.play({"tap ->GamesScreenViewController", "set bloodSugarLevel 100", "set coins 65"});
    game.state().items().push_back("bowtie");
    game.state().wearing().push_back("bowtie.jpg");
    game.play({"tap backButtonPressed"});
    ASSERT_EQ(game.screen(), "BuddyCentralViewController");
    EXPECT_EQ(game.control("screenBackground")["picture"], "happybudycentral.jpg");
    EXPECT_EQ(game.control("coinsLabel")["text"], "65");
    EXPECT_EQ(game.control("itemWorn")["hidden"], false);
}

struct Lists {
    AppState::List items;
    AppState::List wearing;
    bool hidden;
};

void PrintTo(const Lists& l, std::ostream* os)
{
    *os << l.items.size() << " owned, " << l.wearing.size() << " worn";
}

class BuddyCentralOverlay : public ::testing::TestWithParam<Lists> {};

TEST_P(BuddyCentralOverlay, ShowsOnlyWhenOwnedAndWorn)
{
    Game game;
    game.state().setItems(GetParam().items);
    game.state().setWearing(GetParam().wearing);
    openBuddyCentral(game);
    EXPECT_EQ(game.control("itemWorn")["hidden"], GetParam().hidden);
}

INSTANTIATE_TEST_SUITE_P(Lists, BuddyCentralOverlay,
                         ::testing::Values(Lists{{}, {}, true}, Lists{{}, {"bowtie.jpg"}, true},
                                           Lists{{"bowtie"}, {}, true}, Lists{{"bowtie"}, {"bowtie.jpg"}, false}));

TEST(BuddyCentralRoutes, LeadToShopClosetAndGames)
{
    Game game;
    openBuddyCentral(game);
    for (const char* target : {"ItemViewController", "ClosetViewController", "GamesScreenViewController"}) {
        game.play({std::string("tap ->") + target});
        EXPECT_EQ(game.screen(), target);
        game.play({"tap backButtonPressed"});
        EXPECT_EQ(game.screen(), "BuddyCentralViewController");
    }
    game.play({"tap homeButtonPressed"});
    EXPECT_EQ(game.stack(), (std::vector<std::string>{"ViewController"}));
}

TEST(BuddyCentralRoutes, BackReturnsHome)
{
    Game game;
    openBuddyCentral(game);
    game.play({"tap backButton"});
    EXPECT_EQ(game.stack(), (std::vector<std::string>{"ViewController"}));
}

} // namespace
} // namespace bc
