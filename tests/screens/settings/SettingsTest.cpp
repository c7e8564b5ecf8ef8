#include "support/Game.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

using test::Game;

void openSettings(Game& game)
{
    game.play({"tap settingsPlace"});
    ASSERT_EQ(game.screen(), "SettingsMainViewController");
}

void expectSteppersHidden(Game& game, bool hidden)
{
    EXPECT_EQ(game.control("carbStepper")["hidden"], hidden);
    EXPECT_EQ(game.control("basalRateStepper")["hidden"], hidden);
}

TEST(SettingsOpen, ShowsTheStartingValuesLocked)
{
    Game game;
    game.play({"set coins 75"});
    openSettings(game);
    EXPECT_EQ(game.control("carbLabel")["text"], "15");
    EXPECT_EQ(game.control("basalLabel")["text"], "1.5");
    EXPECT_EQ(game.control("coinsLabel")["text"], "75");
    EXPECT_EQ(game.control("lockButton")["title"], "Unlock");
    expectSteppersHidden(game, true);
    EXPECT_TRUE(game.app().navigation().isNavigationBarHidden());
}

TEST(SettingsOpen, LoadsTheSteppersFromTheStateOnEveryAppearance)
{
    Game game;
    game.play({"set carbRatio 22", "set basalRate 7"});
    openSettings(game);
    EXPECT_EQ(game.control("carbStepper")["value"], 22.0);
    EXPECT_EQ(game.control("basalRateStepper")["value"], 7.0);
    EXPECT_EQ(game.control("basalLabel")["text"], "0.7");
    game.play({"set carbRatio 9"});
    game.app().top()->viewWillAppear(false);
    EXPECT_EQ(game.control("carbStepper")["value"], 9.0);
    EXPECT_EQ(game.control("carbLabel")["text"], "9");
}

TEST(SettingsLock, EachPressTogglesAndTitlesTheNextPress)
{
    Game game;
    openSettings(game);
    game.play({"tap lockButton"});
    EXPECT_FALSE(game.state().settingsLocked());
    EXPECT_EQ(game.control("lockButton")["title"], "Lock");
    expectSteppersHidden(game, false);
    game.play({"tap lockButton"});
    EXPECT_TRUE(game.state().settingsLocked());
    EXPECT_EQ(game.control("lockButton")["title"], "Unlock");
    expectSteppersHidden(game, true);
}

TEST(SettingsLock, ARefreshLeavesTheTitleAlone)
{
    Game game;
    openSettings(game);
    game.play({"tap lockButton", "set settingsLocked true"});
    game.app().top()->viewWillAppear(false);
    expectSteppersHidden(game, true);
    EXPECT_EQ(game.control("lockButton")["title"], "Lock");
}

TEST(SettingsLock, StaysUnlockedAfterLeavingWithTheValuesKept)
{
    Game game;
    openSettings(game);
    game.play({"tap lockButton", "step carbStepper up", "step basalRateStepper down", "tap homeButtonPressed"});
    openSettings(game);
    expectSteppersHidden(game, false);
    EXPECT_EQ(game.control("carbStepper")["value"], 16.0);
    EXPECT_EQ(game.control("basalRateStepper")["value"], 14.0);
    EXPECT_EQ(game.control("carbLabel")["text"], "16");
    EXPECT_EQ(game.control("basalLabel")["text"], "1.4");
    // A new screen starts with the title the layout gives it.
    EXPECT_EQ(game.control("lockButton")["title"], "Unlock");
}

TEST(SettingsLock, LockedStepperCannotBeStepped)
{
    Game game;
    openSettings(game);
    EXPECT_NE(game.run("step carbStepper up").value("error", ""), "");
    EXPECT_EQ(game.state().carbRatio(), 15.0f);
}

TEST(SettingsCarbRatio, StoresTheStepperValue)
{
    Game game;
    openSettings(game);
    game.play({"tap lockButton", "step carbStepper down", "step carbStepper down", "step carbStepper down"});
    EXPECT_EQ(game.state().carbRatio(), 12.0f);
    EXPECT_EQ(game.control("carbLabel")["text"], "12");
    EXPECT_TRUE(game.logs().empty()) << "only the basal rate writes console lines";
}

TEST(SettingsCarbRatio, LeavesTheSuggestedDoseAlone)
{
    Game game;
    game.play({"set carbsMostRecentMeal 45"});
    openSettings(game);
    game.play({"tap lockButton", "step carbStepper down", "step carbStepper down", "step carbStepper down",
               "tap homeButtonPressed", "tap insulinPlace", "tap continueButtonClicked", "tap continueButtonPressed"});
    ASSERT_EQ(game.screen(), "InsulinSuggestionViewController");
    EXPECT_EQ(game.state().carbRatio(), 12.0f);
    // 45 grams covered at the fixed 15 grams a unit, not at the ratio set here.
    EXPECT_FLOAT_EQ(game.state().bolusTarget(), 3.0f);
    EXPECT_EQ(game.control("suggestedBolusLabel")["text"], "3");
}

TEST(SettingsCarbRatio, StaysWithinOneToFifty)
{
    Game game;
    game.play({"set carbRatio 1"});
    openSettings(game);
    game.play({"tap lockButton"});
    game.run("step carbStepper down");
    EXPECT_EQ(game.state().carbRatio(), 1.0f);
    game.play({"set carbRatio 50", "tap homeButtonPressed"});
    openSettings(game);
    game.run("step carbStepper up");
    EXPECT_EQ(game.state().carbRatio(), 50.0f);
}

TEST(SettingsBasalRate, AStepLogsTheStepperAndTheStoredValue)
{
    Game game;
    openSettings(game);
    game.play({"tap lockButton", "step basalRateStepper down"});
    EXPECT_EQ(game.state().basalRate(), 14.0f);
    EXPECT_EQ(game.logs(), (std::vector<std::string>{"14.0", "14.0"}));
    EXPECT_EQ(game.control("basalLabel")["text"], "1.4");
}

TEST(SettingsBasalRate, EightTenthsShowsPointEight)
{
    Game game;
    game.play({"set basalRate 7"});
    openSettings(game);
    game.play({"tap lockButton", "step basalRateStepper up"});
    EXPECT_EQ(game.state().basalRate(), 8.0f);
    EXPECT_EQ(game.control("basalLabel")["text"], "0.8");
    EXPECT_EQ(game.logs(), (std::vector<std::string>{"8.0", "8.0"}));
}

TEST(SettingsBasalRate, StaysWithinZeroToFiveUnits)
{
    Game game;
    game.play({"set basalRate 0"});
    openSettings(game);
    game.play({"tap lockButton"});
    game.run("step basalRateStepper down");
    EXPECT_EQ(game.state().basalRate(), 0.0f);
    EXPECT_EQ(game.control("basalLabel")["text"], "0.0");
}

TEST(SettingsLeave, BackAndHomeReturnHome)
{
    for (const char* leave : {"tap backButtonPressed", "tap homeButtonPressed"}) {
        Game game;
        openSettings(game);
        game.play({leave});
        EXPECT_EQ(game.stack(), (std::vector<std::string>{"ViewController"})) << leave;
    }
}

} // namespace
} // namespace bc
