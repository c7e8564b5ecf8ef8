#include "screens/bloodsugar/BloodSugarCheckInProgressViewController.h"
#include "screens/bloodsugar/CheckWalk.h"
#include "support/Game.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace bc {
namespace {

using test::Game;

BloodSugarCheckInProgressViewController& meterScreen(Game& game)
{
    auto* screen = dynamic_cast<BloodSugarCheckInProgressViewController*>(game.app().top());
    if (screen == nullptr) {
        ADD_FAILURE() << "on " << game.screen() << ", not the meter";
        std::abort();
    }
    return *screen;
}

// Presses one button many times over several seeds and collects every reading.
std::set<float> readingsOf(void (BloodSugarCheckInProgressViewController::*press)(Control*))
{
    std::set<float> seen;
    Game game;
    game.play(test::toCheckInProgress());
    auto& screen = meterScreen(game);
    for (std::uint64_t seed : {1u, 7u, 42u, 2024u}) {
        game.app().random().seed(seed);
        for (int i = 0; i < 300; ++i) {
            (screen.*press)(nullptr);
            seen.insert(game.state().bloodSugarLevel());
        }
    }
    return seen;
}

TEST(CheckInProgressReadings, GoodReachesEveryWholeValueFrom70To99AndNothingElse)
{
    const auto seen = readingsOf(&BloodSugarCheckInProgressViewController::goodButtonPressed);
    std::set<float> expected;
    for (int v = 70; v <= 99; ++v) {
        expected.insert(static_cast<float>(v));
    }
    EXPECT_EQ(seen, expected);
}

TEST(CheckInProgressReadings, BadReachesEveryWholeValueFrom120To149AndNothingElse)
{
    const auto seen = readingsOf(&BloodSugarCheckInProgressViewController::badButtonPressed);
    std::set<float> expected;
    for (int v = 120; v <= 149; ++v) {
        expected.insert(static_cast<float>(v));
    }
    EXPECT_EQ(seen, expected);
}

TEST(CheckInProgressReadings, SameSeedSameReading)
{
    Game game;
    game.play(test::toCheckInProgress());
    game.app().random().seed(99);
    game.play({"tap goodButtonPressed"});
    const float first = game.state().bloodSugarLevel();
    game.play({"tap backButtonPressed"});
    game.app().random().seed(99);
    game.play({"tap goodButtonPressed"});
    EXPECT_EQ(game.state().bloodSugarLevel(), first);
}

TEST(CheckInProgressReadings, EachPressOverwritesTheLast)
{
    Game game;
    game.play(test::toCheckInProgress());
    game.play({"tap goodButtonPressed", "tap backButtonPressed", "tap badButtonPressed"});
    const float reading = game.state().bloodSugarLevel();
    EXPECT_GE(reading, 120.0f);
    EXPECT_LE(reading, 149.0f);
    EXPECT_EQ(reading, std::floor(reading));
}

TEST(CheckInProgressButtons, GoodLeadsToTheGoodResultAndBadToTheBad)
{
    Game game;
    game.play(test::toCheckInProgress());
    game.play({"tap goodButtonPressed"});
    EXPECT_EQ(game.screen(), "GoodResultsViewController");
    game.play({"tap backButtonPressed", "tap badButtonPressed"});
    EXPECT_EQ(game.screen(), "BadResultsViewController");
}

TEST(CheckInProgressButtons, PressingChangesOnlyTheReading)
{
    Game game;
    game.play(test::toCheckInProgress());
    auto before = game.run("state");
    meterScreen(game).badButtonPressed(nullptr);
    meterScreen(game).goodButtonPressed(nullptr);
    auto after = game.run("state");
    before.erase("bloodSugarLevel");
    after.erase("bloodSugarLevel");
    EXPECT_EQ(after, before);
    EXPECT_EQ(game.screen(), "BloodSugarCheckInProgressViewController") << "the buttons' screens come from the layout";
}

TEST(CheckInProgressFrame, HidesTheBarAndShowsTheBalanceOfItsLoad)
{
    Game game;
    game.play({"tap cheat"});
    game.play(test::toCheckInProgress());
    EXPECT_TRUE(game.app().navigation().isNavigationBarHidden());
    EXPECT_EQ(game.control("coinsLabel")["text"], "50");
    game.play({"tap badButtonPressed", "set coins 75", "tap backButtonPressed"});
    ASSERT_EQ(game.screen(), "BloodSugarCheckInProgressViewController");
    EXPECT_EQ(game.control("coinsLabel")["text"], "50");
    EXPECT_TRUE(game.app().navigation().isNavigationBarHidden());
}

TEST(CheckInProgressFrame, BackGoesToAskForBloodAndHomeGoesHome)
{
    Game game;
    game.play(test::toCheckInProgress());
    game.play({"tap backButtonPressed"});
    EXPECT_EQ(game.screen(), "AskForBloodViewController");
    game.play({"tap ->BloodSugarCheckInProgressViewController", "tap homeButtonPressed"});
    EXPECT_EQ(game.stack(), (std::vector<std::string>{"ViewController"}));
}

} // namespace
} // namespace bc
