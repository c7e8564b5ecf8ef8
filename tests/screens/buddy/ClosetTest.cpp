#include "support/Game.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

using test::Game;

void openCloset(Game& game)
{
    game.play({"tap buddyPlace", "tap ->ClosetViewController"});
    ASSERT_EQ(game.screen(), "ClosetViewController");
}

TEST(ClosetOpens, EmptyWithTheItemButtonGreyedOutBeforeBuying)
{
    Game game;
    game.play({"set coins 12"});
    openCloset(game);
    EXPECT_EQ(game.control("screenBackground")["picture"], "emptycloset.jpg");
    EXPECT_EQ(game.control("itemButton")["enabled"], false);
    EXPECT_EQ(game.control("itemButton")["hidden"], false);
    EXPECT_EQ(game.control("coinsLabel")["text"], "12");
    EXPECT_NE(game.run("tap itemButton").value("error", ""), "");
    EXPECT_EQ(game.screen(), "ClosetViewController");
}

TEST(ClosetOpens, StockedOnceAnythingIsOwned)
{
    Game game;
    game.state().items().push_back("anything");
    openCloset(game);
    EXPECT_EQ(game.control("screenBackground")["picture"], "closet.jpg");
    EXPECT_EQ(game.control("itemButton")["enabled"], true);
    game.play({"tap itemButton"});
    EXPECT_EQ(game.screen(), "ClosetItemSelectedViewController");
}

TEST(ClosetOpens, KeepsWhatItShowedWhenTheChildComesBack)
{
    Game game;
    game.state().items().push_back("bowtie");
    openCloset(game);
    game.play({"tap itemButton", "set coins 70", "tap backButtonPressed"});
    ASSERT_EQ(game.screen(), "ClosetViewController");
    EXPECT_EQ(game.control("coinsLabel")["text"], "0");
    EXPECT_EQ(game.control("screenBackground")["picture"], "closet.jpg");
}

TEST(ClosetWear, EachPressAddsOneMoreBowTieAndKeepsTheCoins)
{
    Game game;
    game.state().items().push_back("bowtie");
    game.play({"set coins 40"});
    openCloset(game);
    game.play({"tap itemButton"});
    EXPECT_EQ(game.control("coinsLabel")["text"], "40");
    game.play({"tap wearButtonPressed", "tap wearButtonPressed", "tap wearButtonPressed"});
    EXPECT_EQ(game.state().wearing(), (AppState::List{"bowtie.jpg", "bowtie.jpg", "bowtie.jpg"}));
    EXPECT_EQ(game.state().coins(), 40.0f);
    EXPECT_EQ(game.control("coinsLabel")["text"], "40");
}

TEST(ClosetWear, RewritesTheCoinLabelFromTheState)
{
    Game game;
    game.state().items().push_back("bowtie");
    openCloset(game);
    game.play({"tap itemButton", "set coins 15"});
    EXPECT_EQ(game.control("coinsLabel")["text"], "0");
    game.play({"tap wearButtonPressed"});
    EXPECT_EQ(game.control("coinsLabel")["text"], "15");
}

TEST(ClosetWear, OnePressShowsTheBowTieAtHome)
{
    Game game;
    game.state().items().push_back("bowtie");
    openCloset(game);
    game.play({"tap itemButton", "tap wearButtonPressed", "tap homeButtonPressed"});
    EXPECT_EQ(game.control("itemWorn")["hidden"], false);
}

TEST(ClosetWear, WithoutOwningAnythingTheOverlayStaysHidden)
{
    Game game;
    auto screen = game.app().storyboard().instantiate("ClosetItemSelectedViewController", game.app().services());
    ASSERT_NE(screen, nullptr);
    game.app().navigation().pushViewController(std::move(screen), false);
    game.play({"tap wearButtonPressed"});
    EXPECT_EQ(game.state().wearing(), (AppState::List{"bowtie.jpg"}));
    game.play({"tap homeButtonPressed"});
    EXPECT_EQ(game.control("itemWorn")["hidden"], true);
}

TEST(ClosetLeaves, BackOneScreenAndHomeToTheHomeScreen)
{
    Game game;
    game.state().items().push_back("bowtie");
    openCloset(game);
    game.play({"tap itemButton", "tap backButtonPressed"});
    EXPECT_EQ(game.screen(), "ClosetViewController");
    game.play({"tap backButtonPressed"});
    EXPECT_EQ(game.screen(), "BuddyCentralViewController");
    game.play({"tap ->ClosetViewController", "tap itemButton", "tap homeButtonPressed"});
    EXPECT_EQ(game.stack(), (std::vector<std::string>{"ViewController"}));
    EXPECT_TRUE(game.app().navigation().isNavigationBarHidden());
}

} // namespace
} // namespace bc
