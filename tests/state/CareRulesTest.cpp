#include "state/CareRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bc {
namespace {

TEST(CareRules, StartingValues)
{
    AppState s;
    applyStartingValues(s);
    EXPECT_TRUE(s.includeMostRecentMeal());
    EXPECT_EQ(s.carbsMostRecentMeal(), 25.0f);
    EXPECT_EQ(s.carbsNotAddressed(), 25.0f);
    EXPECT_EQ(s.basalRate(), 15.0f);
    EXPECT_EQ(s.carbRatio(), 15.0f);
    EXPECT_TRUE(s.settingsLocked());
    EXPECT_EQ(s.coins(), 0.0f);
    EXPECT_EQ(s.bloodSugarLevel(), 150.0f);
}

TEST(CareRules, MoodBandIsOutsideStrictlyBetween70And140)
{
    const struct {
        float reading;
        bool out;
    } rows[] = {{0, true}, {50, true}, {70, true}, {70.01f, false}, {100, false},
                {139.99f, false}, {140, true}, {150, true}};
    for (const auto& row : rows) {
        AppState s;
        s.setBloodSugarLevel(row.reading);
        EXPECT_EQ(readingOutOfRange(s), row.out) << row.reading;
    }
}

TEST(CareRules, WornItemShowsOnlyWhenOwnedAndWorn)
{
    const struct {
        AppState::List items, wearing;
        bool shown;
    } rows[] = {{{}, {}, false}, {{"bowtie"}, {}, false}, {{}, {"bowtie.jpg"}, false}, {{"bowtie"}, {"x"}, true}};
    for (const auto& row : rows) {
        AppState s;
        s.setItems(row.items);
        s.setWearing(row.wearing);
        EXPECT_EQ(showsWornItem(s), row.shown) << row.items.size() << row.wearing.size();
    }
}

TEST(CareRules, MealRuleDecidesTheGramsToCover)
{
    const struct {
        bool include, fromCounter;
        float meal, counted, before, after;
    } rows[] = {
        {true, false, 25, 0, 3, 25},   {true, true, 25, 50, 3, 75},  {true, false, 25, 50, 3, 75},
        {false, true, 25, 50, 3, 50},  {false, false, 25, 50, 3, 3}, {false, true, 25, 0, 3, 0},
        {true, false, 0, 0, 9, 0},     {true, false, 0.25f, 0.5f, 0, 0.75f},
    };
    for (const auto& row : rows) {
        AppState s;
        s.setCarbsMostRecentMeal(row.meal);
        s.setCarbsFromCounter(row.counted);
        s.setCarbsNotAddressed(row.before);
        s.setFromInsulinScreen(row.fromCounter);
        s.setIncludeMostRecentMeal(!row.include);
        settleMeal(s, row.include);
        EXPECT_EQ(s.carbsNotAddressed(), row.after) << row.include << row.fromCounter << row.meal << row.counted;
        EXPECT_EQ(s.includeMostRecentMeal(), row.include);
        EXPECT_FALSE(s.fromInsulinScreen());
        EXPECT_EQ(s.carbsMostRecentMeal(), row.meal);
        EXPECT_EQ(s.carbsFromCounter(), row.counted);
    }
}

TEST(CareRules, CountingFoodReplacesWithOnePortion)
{
    AppState s;
    s.setCarbsFromCounter(20);
    countFood(s);
    countFood(s);
    EXPECT_EQ(s.carbsFromCounter(), 50.0f);
}

TEST(CareRules, ExerciseHoursAreCappedAtFour)
{
    const struct {
        double in, out;
    } rows[] = {{0, 0}, {1, 1}, {3.5, 3.5}, {4, 4}, {4.0001, 4}, {5, 4}, {100, 4}};
    for (const auto& row : rows) {
        EXPECT_EQ(cappedExerciseHours(row.in), row.out) << row.in;
    }
}

TEST(CareRules, DoseIsTheGramsOverFifteenUnrounded)
{
    const struct {
        float grams, units;
    } rows[] = {{0, 0}, {7.5f, 0.5f}, {25, 25.0f / 15.0f}, {75, 5}, {-15, -1}, {1000, 1000.0f / 15.0f}};
    for (const auto& row : rows) {
        AppState s;
        s.setCarbsNotAddressed(row.grams);
        s.setCarbRatio(30);
        s.setAboutToExercise(true);
        s.setBolusGiven(4);
        s.setBolusJustGiven(2);
        EXPECT_EQ(suggestedUnits(s), row.units) << row.grams;
        prepareDose(s);
        EXPECT_EQ(s.bolusTarget(), row.units);
        EXPECT_EQ(s.bolusGiven(), 0.0f);
        EXPECT_EQ(s.bolusJustGiven(), 0.0f);
    }
}

TEST(CareRules, ReasonsNameTheGramsThenTheExercise)
{
    const struct {
        float grams;
        bool exercise;
        const char* reasons;
    } rows[] = {
        {25, false, "Because you ate 25 carbs\n"},
        {25, true, "Because you ate 25 carbs\n\nYou're about to exercise"},
        {0, true, "\nYou're about to exercise"},
        {0, false, ""},
        {-5, false, ""},
        {1, false, "Because you ate 1 carb\n"},
        {0.4f, false, "Because you ate 0 carbs\n"},
        {74.6f, false, "Because you ate 75 carbs\n"},
    };
    for (const auto& row : rows) {
        AppState s;
        s.setCarbsNotAddressed(row.grams);
        s.setAboutToExercise(row.exercise);
        EXPECT_EQ(doseReasons(s, Translator{}), row.reasons) << row.grams;
    }
}

TEST(CareRules, StopLeavesHalfOfWhatRemainedAndMarksTheWholeDoseGiven)
{
    const struct {
        float target, given, justGiven;
    } rows[] = {{25.0f / 15.0f, 0, 25.0f / 15.0f * 0.5f}, {5, 0, 2.5f}, {5, 3, 1}, {5, 5, 0}, {0, 0, 0}};
    for (const auto& row : rows) {
        AppState s;
        s.setBolusTarget(row.target);
        s.setBolusGiven(row.given);
        EXPECT_EQ(unitsRemaining(s), row.target - row.given);
        stopDose(s);
        EXPECT_EQ(s.bolusJustGiven(), row.justGiven) << row.target << " " << row.given;
        EXPECT_EQ(s.bolusGiven(), row.target);
        EXPECT_EQ(s.bolusTarget(), row.target);
    }
}

TEST(CareRules, DoneAfterAStopZeroesTheSixAmountsAndKeepsTheAnswers)
{
    AppState s;
    for (auto setter : {&AppState::setBolusTarget, &AppState::setBolusJustGiven, &AppState::setBolusGiven,
                        &AppState::setCarbsMostRecentMeal, &AppState::setCarbsNotAddressed,
                        &AppState::setCarbsFromCounter, &AppState::setCoins}) {
        (s.*setter)(9);
    }
    s.setAboutToExercise(true);
    s.setIncludeMostRecentMeal(false);
    clearStoppedDose(s);
    for (auto getter : {&AppState::bolusTarget, &AppState::bolusJustGiven, &AppState::bolusGiven,
                        &AppState::carbsMostRecentMeal, &AppState::carbsNotAddressed, &AppState::carbsFromCounter}) {
        EXPECT_EQ((s.*getter)(), 0.0f);
    }
    EXPECT_TRUE(s.aboutToExercise());
    EXPECT_FALSE(s.includeMostRecentMeal());
    EXPECT_EQ(s.coins(), 9.0f);
}

TEST(CareRules, PurchaseNeedsAndTakesTheFullPrice)
{
    const struct {
        float coins;
        bool bought;
        float after;
    } rows[] = {{0, false, 0}, {195, false, 195}, {199.5f, false, 199.5f}, {200, true, 0}, {450, true, 250}};
    for (const auto& row : rows) {
        AppState s;
        s.setCoins(row.coins);
        EXPECT_EQ(tryToBuyBowTie(s), row.bought) << row.coins;
        EXPECT_EQ(s.coins(), row.after);
        EXPECT_EQ(ownsBowTie(s), row.bought);
        EXPECT_EQ(s.items(), row.bought ? AppState::List{"bowtie"} : AppState::List{});
    }
}

TEST(CareRules, EachWearAddsOneMoreBowTie)
{
    AppState s;
    wearBowTie(s);
    wearBowTie(s);
    EXPECT_EQ(s.wearing(), (AppState::List{"bowtie.jpg", "bowtie.jpg"}));
    EXPECT_FALSE(showsWornItem(s)) << "worn but not owned";
}

TEST(CareRules, ReadingDrawsCoverThirtyWholeValues)
{
    EXPECT_EQ(goodReading(kReadingSpread - 1), 99.0f);
    EXPECT_EQ(badReading(kReadingSpread - 1), 149.0f);
    const struct {
        std::uint32_t draw;
        float good, bad;
    } rows[] = {{0, 70, 120}, {1, 71, 121}, {15, 85, 135}, {29, 99, 149}};
    for (const auto& row : rows) {
        EXPECT_EQ(goodReading(row.draw), row.good) << row.draw;
        EXPECT_EQ(badReading(row.draw), row.bad) << row.draw;
    }
}

TEST(CareRules, SettingsShowTenthsAndTheLockTitlesTheNextPress)
{
    const struct {
        double tenths, units;
    } rows[] = {{0, 0}, {8, 0.8}, {15, 1.5}, {50, 5}};
    for (const auto& row : rows) {
        EXPECT_DOUBLE_EQ(basalUnitsPerHour(row.tenths), row.units);
    }
    AppState s;
    s.setSettingsLocked(true);
    EXPECT_STREQ(toggleSettingsLock(s), "Lock");
    EXPECT_FALSE(s.settingsLocked());
    EXPECT_STREQ(toggleSettingsLock(s), "Unlock");
    EXPECT_TRUE(s.settingsLocked());
}

TEST(CareRules, CountedWordsAgreeWithTheNumberShown)
{
    const struct {
        Counted word;
        const char* shown;
        const char* form;
    } rows[] = {{Counted::Unit, "1", "unit"},  {Counted::Unit, "0", "units"}, {Counted::Unit, "2", "units"},
                {Counted::Unit, "11", "units"}, {Counted::Unit, "-1", "units"}, {Counted::Hour, "1", "hour"},
                {Counted::Hour, "4", "hours"}, {Counted::Hour, "1.5", "hours"}};
    for (const auto& row : rows) {
        EXPECT_EQ(countedWord(row.word, row.shown, Translator{}), row.form) << row.shown;
    }
}

} // namespace
} // namespace bc
