#include "support/Game.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

using test::Game;

void openShop(Game& game)
{
    game.play({"tap buddyPlace", "tap ->ItemViewController"});
    ASSERT_EQ(game.screen(), "ItemViewController");
}

void expectForSale(Game& game)
{
    EXPECT_EQ(game.control("screenBackground")["picture"], "buybowtie.jpg");
    EXPECT_EQ(game.control("buyButton")["enabled"], true);
    EXPECT_EQ(game.control("closetButton")["enabled"], false);
}

void expectBought(Game& game)
{
    EXPECT_EQ(game.control("screenBackground")["picture"], "boughtbowtie.jpg");
    EXPECT_EQ(game.control("buyButton")["enabled"], false);
    EXPECT_EQ(game.control("closetButton")["enabled"], true);
}

void expectRefused(Game& game)
{
    EXPECT_EQ(game.control("screenBackground")["picture"], "cannotbuybowtie.jpg");
    EXPECT_EQ(game.control("buyButton")["enabled"], false);
    EXPECT_EQ(game.control("closetButton")["enabled"], false);
    // Refused, never hidden: the child still sees what there was.
    EXPECT_EQ(game.control("buyButton")["hidden"], false);
    EXPECT_EQ(game.control("closetButton")["hidden"], false);
}

TEST(ShopOpens, ForSaleWhileNothingIsOwned)
{
    Game game;
    game.play({"set coins 35"});
    openShop(game);
    expectForSale(game);
    EXPECT_EQ(game.control("coinsLabel")["text"], "35");
    EXPECT_EQ(game.control("buyButton")["title"], "Buy for 200 coins");
    EXPECT_TRUE(game.app().navigation().isNavigationBarHidden());
}

TEST(ShopOpens, BoughtWheneverAnythingIsOwnedWhateverTheBalance)
{
    for (float coins : {0.0f, 150.0f, 900.0f}) {
        Game game;
        game.state().items().push_back("hat");
        game.state().setCoins(coins);
        openShop(game);
        expectBought(game);
        EXPECT_EQ(game.control("coinsLabel")["text"], std::to_string(static_cast<int>(coins)));
    }
}

TEST(ShopPurchase, ExactlyTwoHundredIsEnough)
{
    Game game;
    game.play({"set coins 200"});
    openShop(game);
    game.play({"tap buyButton"});
    expectBought(game);
    EXPECT_EQ(game.state().items(), (AppState::List{"bowtie"}));
    EXPECT_EQ(game.state().coins(), 0.0f);
    EXPECT_EQ(game.control("coinsLabel")["text"], "0");
}

TEST(ShopPurchase, TakesThePriceOnceAndLeavesTheRest)
{
    Game game;
    game.play({"set coins 250"});
    openShop(game);
    game.play({"tap buyButton"});
    expectBought(game);
    EXPECT_EQ(game.state().coins(), 50.0f);
    EXPECT_EQ(game.control("coinsLabel")["text"], "50");
    EXPECT_NE(game.run("tap buyButton").value("error", ""), "") << "a bought bow tie cannot be bought again";
    EXPECT_EQ(game.state().items().size(), 1u);
    EXPECT_EQ(game.state().coins(), 50.0f);
}

TEST(ShopPurchase, FiveShortIsRefusedAndChangesNothing)
{
    Game game;
    game.play({"set coins 195"});
    openShop(game);
    game.play({"tap buyButton"});
    expectRefused(game);
    EXPECT_EQ(game.state().coins(), 195.0f);
    EXPECT_TRUE(game.state().items().empty());
    EXPECT_EQ(game.control("coinsLabel")["text"], "195");
}

TEST(ShopPurchase, RefusedAtTheStartingBalance)
{
    Game game;
    openShop(game);
    game.play({"tap buyButton"});
    expectRefused(game);
    EXPECT_EQ(game.control("coinsLabel")["text"], "0");
    EXPECT_TRUE(game.state().items().empty());
}

TEST(ShopRefusal, LastsWhileTheShopStaysOpenEvenAfterEarning)
{
    Game game;
    game.play({"set coins 100"});
    openShop(game);
    game.play({"tap buyButton", "set coins 400"});
    // Appearing again does not refresh the shop.
    game.app().top()->viewWillAppear(false);
    expectRefused(game);
    EXPECT_NE(game.run("tap buyButton").value("error", ""), "");
    EXPECT_EQ(game.state().coins(), 400.0f);
}

TEST(ShopRefusal, EndsWhenTheShopIsOpenedAgainWithEnoughCoins)
{
    Game game;
    game.play({"set coins 195"});
    openShop(game);
    game.play({"tap buyButton", "tap homeButtonPressed", "tap cheat"});
    openShop(game);
    expectForSale(game);
    game.play({"tap buyButton"});
    expectBought(game);
    EXPECT_EQ(game.state().coins(), 45.0f);
}

TEST(ShopClosetButton, LeadsToTheClosetOnceBought)
{
    Game game;
    game.play({"set coins 200"});
    openShop(game);
    EXPECT_NE(game.run("tap closetButton").value("error", ""), "") << "no closet before buying";
    game.play({"tap buyButton", "tap closetButton"});
    EXPECT_EQ(game.stack(), (std::vector<std::string>{"ViewController", "BuddyCentralViewController",
                                                      "ItemViewController", "ClosetViewController"}));
}

TEST(ShopClosetButton, ComingBackFromTheClosetKeepsTheShopAsItWas)
{
    Game game;
    game.play({"set coins 230"});
    openShop(game);
    game.play({"tap buyButton", "tap closetButton", "set coins 999", "tap backButtonPressed"});
    ASSERT_EQ(game.screen(), "ItemViewController");
    expectBought(game);
    EXPECT_EQ(game.control("coinsLabel")["text"], "30");
}

TEST(ShopLeaves, BackToBuddyCentralAndHomeToTheHomeScreen)
{
    Game game;
    openShop(game);
    game.play({"tap backButtonPressed"});
    EXPECT_EQ(game.screen(), "BuddyCentralViewController");
    game.play({"tap ->ItemViewController", "tap homeButtonPressed"});
    EXPECT_EQ(game.stack(), (std::vector<std::string>{"ViewController"}));
}

} // namespace
} // namespace bc
