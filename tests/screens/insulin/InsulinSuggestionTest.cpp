#include "screens/insulin/InsulinSuggestionViewController.h"
#include "support/Game.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

using test::Game;

// Through both questions with the meal switch as it starts; the grams to
// cover are then the remembered meal plus whatever the counter holds.
void reachSuggestion(Game& game, bool exercise = false)
{
    game.play({"tap ->InsulinFoodViewController", "tap ->InsulinExerciseViewController"});
    if (exercise) {
        game.play({"toggle eSwitch"});
    }
    game.play({"tap ->InsulinSuggestionViewController"});
    ASSERT_EQ(game.screen(), "InsulinSuggestionViewController");
}

struct UnitsCase {
    float grams;
    float target;
    const char* label;
};

class SuggestionUnits : public ::testing::TestWithParam<UnitsCase> {};

TEST_P(SuggestionUnits, AreTheGramsOverFifteen)
{
    Game game;
    game.state().setCarbsMostRecentMeal(GetParam().grams);
    reachSuggestion(game);
    ASSERT_EQ(game.state().carbsNotAddressed(), GetParam().grams);
    EXPECT_FLOAT_EQ(game.state().bolusTarget(), GetParam().target);
    EXPECT_EQ(game.control("suggestedBolusLabel")["text"], GetParam().label);
}

INSTANTIATE_TEST_SUITE_P(Amounts, SuggestionUnits,
                         ::testing::Values(UnitsCase{0, 0, "0"}, UnitsCase{25, 1.6666666f, "2"},
                                           UnitsCase{50, 3.3333333f, "3"}, UnitsCase{75, 5, "5"}));

TEST(SuggestionUnits, AreStoredUnrounded)
{
    Game game;
    reachSuggestion(game);
    EXPECT_EQ(game.state().bolusTarget(), 25.0f / 15.0f);
}

TEST(SuggestionUnits, IgnoreTheCarbRatioSetting)
{
    Game game;
    game.play({"set carbRatio 5"});
    reachSuggestion(game);
    EXPECT_EQ(game.control("suggestedBolusLabel")["text"], "2");
}

TEST(SuggestionPreparing, ClearsWhatWasGivenOfAnEarlierDose)
{
    Game game;
    game.play({"set bolusGiven 3", "set bolusJustGiven 1.5", "set bolusTarget 9"});
    reachSuggestion(game);
    EXPECT_EQ(game.state().bolusGiven(), 0.0f);
    EXPECT_EQ(game.state().bolusJustGiven(), 0.0f);
    EXPECT_EQ(game.state().bolusTarget(), 25.0f / 15.0f);
}

TEST(SuggestionPreparing, StartsAfreshWhenTheChildComesBackFromDelivery)
{
    Game other;
    reachSuggestion(other);
    other.play({"tap ->InsulinGivingViewController", "set bolusGiven 1", "set bolusJustGiven 0.5",
                "set carbsNotAddressed 75", "tap backButtonPressed"});
    EXPECT_EQ(other.screen(), "InsulinSuggestionViewController");
    EXPECT_EQ(other.state().bolusGiven(), 0.0f);
    EXPECT_EQ(other.state().bolusJustGiven(), 0.0f);
    EXPECT_EQ(other.state().bolusTarget(), 5.0f);
    EXPECT_EQ(other.control("suggestedBolusLabel")["text"], "5");
}

struct ReasonsCase {
    float grams;
    bool exercise;
    const char* reasons;
};

class SuggestionReasons : public ::testing::TestWithParam<ReasonsCase> {};

TEST_P(SuggestionReasons, SayWhyInTheirOwnLines)
{
    Game game;
    game.state().setCarbsMostRecentMeal(GetParam().grams);
    reachSuggestion(game, GetParam().exercise);
    ASSERT_EQ(game.state().aboutToExercise(), GetParam().exercise);
    EXPECT_EQ(game.control("reasonsLabel")["text"], GetParam().reasons);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SuggestionReasons,
    ::testing::Values(ReasonsCase{0, false, ""}, ReasonsCase{25, false, "Because you ate 25 carbs\n"},
                      ReasonsCase{0, true, "\nYou're about to exercise"},
                      ReasonsCase{75, true, "Because you ate 75 carbs\n\nYou're about to exercise"}));

TEST(SuggestionReasons, ExerciseAddsALineNotUnits)
{
    Game game;
    reachSuggestion(game, true);
    EXPECT_EQ(game.control("reasonsLabel")["text"], "Because you ate 25 carbs\n\nYou're about to exercise");
    EXPECT_EQ(game.control("suggestedBolusLabel")["text"], "2");
    EXPECT_EQ(game.state().bolusTarget(), 25.0f / 15.0f);
}

TEST(SuggestionReasons, DoNotPileUpOverRefreshes)
{
    Game game;
    reachSuggestion(game, true);
    auto* screen = dynamic_cast<InsulinSuggestionViewController*>(game.app().top());
    ASSERT_NE(screen, nullptr);
    screen->updateUI();
    screen->updateUI();
    EXPECT_EQ(game.control("reasonsLabel")["text"], "Because you ate 25 carbs\n\nYou're about to exercise");
}

TEST(SuggestionLeaving, BackCancelAndHomeKeepThePreparedDose)
{
    const std::vector<std::pair<std::string, std::string>> exits{{"backButtonPressed", "InsulinExerciseViewController"},
                                                                 {"cancelButtonPressed", "InsulinExerciseViewController"},
                                                                 {"homeButtonPressed", "ViewController"}};
    for (const auto& [exit, landing] : exits) {
        Game game;
        reachSuggestion(game);
        game.play({"tap " + exit});
        EXPECT_EQ(game.screen(), landing) << exit;
        EXPECT_EQ(game.state().bolusTarget(), 25.0f / 15.0f) << exit;
    }
}

} // namespace
} // namespace bc
