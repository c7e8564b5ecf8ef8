#include "support/Game.h"

#include <gtest/gtest.h>

#include <ostream>

namespace bc {
namespace {

using test::Game;

void openEating(Game& game)
{
    game.play({"tap eatPlace"});
    ASSERT_EQ(game.screen(), "nomNomViewController");
}

TEST(EatingScreen, ShowsTheCoinsWithTheBarHidden)
{
    Game game;
    game.play({"set coins 55"});
    openEating(game);
    EXPECT_EQ(game.control("coinsLabel")["text"], "55");
    EXPECT_TRUE(game.app().navigation().isNavigationBarHidden());
}

TEST(EatingScreen, ChangesNothingInTheState)
{
    Game game;
    game.play({"set coins 30", "set carbsFromCounter 50", "set carbsMostRecentMeal 25"});
    game.state().items().push_back("bowtie");
    const auto before = game.run("state");
    openEating(game);
    game.play({"tap backButtonPressed", "tap eatPlace", "tap homeButtonPressed"});
    EXPECT_EQ(game.run("state"), before);
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

class EatingOverlay : public ::testing::TestWithParam<Lists> {};

TEST_P(EatingOverlay, ShowsOnlyWhenOwnedAndWorn)
{
    Game game;
    game.state().setItems(GetParam().items);
    game.state().setWearing(GetParam().wearing);
    openEating(game);
    EXPECT_EQ(game.control("itemWorn")["hidden"], GetParam().hidden);
}

INSTANTIATE_TEST_SUITE_P(Lists, EatingOverlay,
                         ::testing::Values(Lists{{}, {}, true}, Lists{{}, {"bowtie.jpg"}, true},
                                           Lists{{"bowtie"}, {}, true}, Lists{{"bowtie"}, {"bowtie.jpg"}, false}));

TEST(EatingScreen, RefreshesWhenTheChildComesBack)
{
    Game game;
    openEating(game);
    game.play({"tap ->CarbCounterMainViewController", "set coins 90"});
    game.state().items().push_back("bowtie");
    game.state().wearing().push_back("bowtie.jpg");
    game.play({"tap backButtonPressed"});
    ASSERT_EQ(game.screen(), "nomNomViewController");
    EXPECT_EQ(game.control("coinsLabel")["text"], "90");
    EXPECT_EQ(game.control("itemWorn")["hidden"], false);
}

TEST(EatingScreen, BackAndHomeBothReturnHome)
{
    for (const char* leave : {"tap backButtonPressed", "tap homeButtonPressed"}) {
        Game game;
        openEating(game);
        game.play({leave});
        EXPECT_EQ(game.stack(), (std::vector<std::string>{"ViewController"})) << leave;
    }
}

} // namespace
} // namespace bc
