#include "screens/insulin/InsulinExerciseViewController.h"
#include "support/Game.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

using test::Game;

InsulinExerciseViewController* exerciseScreen(Game& game)
{
    return dynamic_cast<InsulinExerciseViewController*>(game.app().top());
}

// The meal question answered with its starting values, the exercise question on top.
void reachExercise(Game& game)
{
    game.play({"tap ->InsulinFoodViewController", "tap continueButtonClicked"});
    ASSERT_EQ(game.screen(), "InsulinExerciseViewController");
}

TEST(ExerciseQuestionShows, OneHourAndTheHoursHiddenWhileTheSwitchIsOff)
{
    Game game;
    reachExercise(game);
    EXPECT_EQ(game.control("eSwitch")["on"], false);
    EXPECT_EQ(game.control("hourLabel")["text"], "1");
    EXPECT_EQ(game.control("stepper")["value"], 1.0);
    EXPECT_EQ(game.control("containerView")["hidden"], true);
    EXPECT_EQ(game.control("hourLabel")["hidden"], true) << "the hours live inside the container";
    EXPECT_EQ(game.control("coinsLabel")["text"], "0");
}

TEST(ExerciseQuestionShows, TheHoursOnceTheSwitchIsOn)
{
    Game game;
    reachExercise(game);
    game.play({"toggle eSwitch"});
    EXPECT_EQ(game.control("containerView")["hidden"], false);
    game.play({"step stepper up", "step stepper up"});
    EXPECT_EQ(game.control("hourLabel")["text"], "3");
    game.play({"toggle eSwitch"});
    EXPECT_EQ(game.control("containerView")["hidden"], true);
}

TEST(ExerciseQuestionHours, StopAtFour)
{
    Game game;
    reachExercise(game);
    game.play({"toggle eSwitch"});
    for (int i = 0; i < 6; ++i) {
        game.play({"step stepper up"});
    }
    EXPECT_EQ(game.control("hourLabel")["text"], "4");
    EXPECT_EQ(game.control("stepper")["value"], 4.0);
}

TEST(ExerciseQuestionHours, AboveFourAreTakenBackToFour)
{
    Game game;
    reachExercise(game);
    auto* screen = exerciseScreen(game);
    ASSERT_NE(screen, nullptr);
    screen->stepper->maximumValue = 10;
    screen->stepper->setValue(4);
    screen->stepper->increment();
    screen->valueChanged(screen->stepper);
    EXPECT_EQ(screen->stepper->value(), 4.0);
    EXPECT_EQ(game.control("hourLabel")["text"], "4");
}

TEST(ExerciseQuestionHours, DoNotChangeTheSuggestedUnits)
{
    Game plain;
    reachExercise(plain);
    plain.play({"toggle eSwitch", "tap continueButtonPressed"});
    Game longer;
    reachExercise(longer);
    longer.play({"toggle eSwitch", "step stepper up", "step stepper up", "step stepper up", "tap continueButtonPressed"});
    EXPECT_EQ(plain.state().bolusTarget(), longer.state().bolusTarget());
    EXPECT_EQ(longer.control("suggestedBolusLabel")["text"], "2");
}

TEST(ExerciseQuestionContinue, StoresTheSwitch)
{
    Game game;
    reachExercise(game);
    game.play({"toggle eSwitch", "tap continueButtonPressed"});
    EXPECT_TRUE(game.state().aboutToExercise());
    EXPECT_EQ(game.screen(), "InsulinSuggestionViewController");
}

TEST(ExerciseQuestionContinue, SwitchOffWithdrawsAnEarlierYes)
{
    Game game;
    game.play({"set aboutToExercise true"});
    reachExercise(game);
    game.play({"tap continueButtonPressed"});
    EXPECT_FALSE(game.state().aboutToExercise());
}

TEST(ExerciseQuestionLeaving, BackAndHomeWithdrawTheYesCancelKeepsIt)
{
    Game back;
    reachExercise(back);
    back.play({"set aboutToExercise true", "tap backButtonPressed"});
    EXPECT_EQ(back.screen(), "InsulinFoodViewController");
    EXPECT_FALSE(back.state().aboutToExercise());

    Game home;
    reachExercise(home);
    home.play({"set aboutToExercise true", "tap homeButtonPressed"});
    EXPECT_EQ(home.screen(), "ViewController");
    EXPECT_FALSE(home.state().aboutToExercise());

    Game cancel;
    reachExercise(cancel);
    cancel.play({"set aboutToExercise true", "tap cancelButtonPressed"});
    EXPECT_EQ(cancel.screen(), "InsulinFoodViewController");
    EXPECT_TRUE(cancel.state().aboutToExercise());
}

TEST(ExerciseQuestionReturn, ShowsTheAnswersAsTheChildLeftThem)
{
    Game game;
    reachExercise(game);
    game.play({"toggle eSwitch", "step stepper up", "tap continueButtonPressed", "tap backButtonPressed"});
    EXPECT_EQ(game.screen(), "InsulinExerciseViewController");
    EXPECT_EQ(game.control("eSwitch")["on"], true);
    EXPECT_EQ(game.control("hourLabel")["text"], "2");
    EXPECT_EQ(game.control("containerView")["hidden"], false);
}

} // namespace
} // namespace bc
