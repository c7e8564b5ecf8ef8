#include "state/CareRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bc {
namespace {

TEST(CareRules, MoodBandIsOutsideStrictlyBetween70And140)
{
    const struct { float reading; bool out; } rows[] = {
        {0, true}, {50, true}, {70, true}, {70.01f, false}, {100, false},
        {139.99f, false}, {140, true}, {150, true}};
    for (const auto& row : rows) {
        AppState s;
        s.setBloodSugarLevel(row.reading);
        EXPECT_EQ(readingOutOfRange(s), row.out) << row.reading;
    }
    const struct { float before, after; MoodTurn turn; } turns[] = {
        {150, 90, MoodTurn::Happy}, {90, 140, MoodTurn::Sad},  {71, 70, MoodTurn::Sad},
        {70, 70.5f, MoodTurn::Happy}, {90, 139.9f, MoodTurn::None}, {150, 60, MoodTurn::None}};
    for (const auto& row : turns) {
        EXPECT_EQ(moodTurn(row.before, row.after), row.turn) << row.before << " -> " << row.after;
    }
}

TEST(CareRules, WornItemShowsOnlyWhenOwnedAndWorn)
{
    const struct { AppState::List items, wearing; bool shown; } rows[] = {
        {{}, {}, false}, {{"bowtie"}, {}, false}, {{}, {"bowtie.jpg"}, false}, {{"bowtie"}, {"x"}, true}};
    for (const auto& row : rows) {
        AppState s;
        s.setItems(row.items);
        s.setWearing(row.wearing);
        EXPECT_EQ(showsWornItem(s), row.shown) << row.items.size() << row.wearing.size();
    }
}

TEST(CareRules, ExerciseHoursAreCappedAtFour)
{
    const struct { double in, out; } rows[] = {{0, 0}, {1, 1}, {3.5, 3.5}, {4, 4}, {4.0001, 4}, {5, 4}, {100, 4}};
    for (const auto& row : rows) {
        EXPECT_EQ(cappedExerciseHours(row.in), row.out) << row.in;
    }
}

TEST(CareRules, DoseIsTheGramsOverFifteenUnrounded)
{
    const struct { float grams, units; } rows[] = {
        {0, 0}, {7.5f, 0.5f}, {25, 25.0f / 15.0f}, {75, 5}, {-15, -1}, {1000, 1000.0f / 15.0f}};
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
    const struct { float grams; bool exercise; const char* reasons; } rows[] = {
        {25, false, "Because you ate 25 carbs\n"},
        {25, true, "Because you ate 25 carbs\n\nYou're about to exercise"},
        {0, true, "\nYou're about to exercise"},
        {0, false, ""},
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

// The meal rule, and what a stop's Done keeps, the monkey checks at every step
// against its model; the fractions of a stop, here.
TEST(CareRules, StopLeavesHalfOfWhatRemainedAndMarksTheWholeDoseGiven)
{
    const struct { float target, given, justGiven; } rows[] = {
        {25.0f / 15.0f, 0, 25.0f / 15.0f * 0.5f}, {5, 0, 2.5f}, {5, 3, 1}, {5, 5, 0}, {0, 0, 0}};
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

// The monkey seldom stops a dose before a completed one has cleared the
// remembered meal, so each of the six amounts is cleared here.
TEST(CareRules, DoneAfterAStopZeroesTheSixAmounts)
{
    AppState s;
    for (auto setter : {&AppState::setBolusTarget, &AppState::setBolusJustGiven, &AppState::setBolusGiven,
                        &AppState::setCarbsMostRecentMeal, &AppState::setCarbsNotAddressed, &AppState::setCarbsFromCounter}) {
        (s.*setter)(9);
    }
    clearStoppedDose(s);
    for (auto getter : {&AppState::bolusTarget, &AppState::bolusJustGiven, &AppState::bolusGiven,
                        &AppState::carbsMostRecentMeal, &AppState::carbsNotAddressed, &AppState::carbsFromCounter}) {
        EXPECT_EQ((s.*getter)(), 0.0f);
    }
}

TEST(CareRules, PurchaseNeedsAndTakesTheFullPrice)
{
    const struct { float coins; bool bought; float after, needed; } rows[] = {
        {0, false, 0, 200}, {195, false, 195, 5}, {199.5f, false, 199.5f, 1}, {200, true, 0, 0}, {450, true, 250, 0}};
    for (const auto& row : rows) {
        AppState s;
        s.setCoins(row.coins);
        EXPECT_EQ(coinsStillNeeded(s), row.needed) << row.coins;
        EXPECT_EQ(tryToBuyBowTie(s), row.bought) << row.coins;
        EXPECT_EQ(s.coins(), row.after);
        EXPECT_EQ(ownsBowTie(s), row.bought);
        EXPECT_EQ(s.items(), row.bought ? AppState::List{"bowtie"} : AppState::List{});
    }
}

TEST(CareRules, ReadingDrawsCoverThirtyWholeValues)
{
    const struct { std::uint32_t draw; float good, bad; } rows[] = {
        {0, 70, 120}, {1, 71, 121}, {15, 85, 135}, {kReadingSpread - 1, 99, 149}};
    for (const auto& row : rows) {
        EXPECT_EQ(goodReading(row.draw), row.good) << row.draw;
        EXPECT_EQ(badReading(row.draw), row.bad) << row.draw;
    }
}

TEST(CareRules, BasalRateShowsInTenths)
{
    const struct { double tenths, units; } rows[] = {{0, 0}, {8, 0.8}, {15, 1.5}, {50, 5}};
    for (const auto& row : rows) {
        EXPECT_DOUBLE_EQ(basalUnitsPerHour(row.tenths), row.units);
    }
}

TEST(CareRules, ReadingsShowInTheUnitInUseAndMmolRoundsHalvesAwayFromZero)
{
    constexpr auto mg = GlucoseUnit::MgPerDl;
    constexpr auto mmol = GlucoseUnit::MmolPerL;
    const struct { float reading; GlucoseUnit unit; int mgDecimals; const char* shown; } rows[] = {
        {150, mg, 1, "150.0"}, {150, mg, 0, "150"},  {150, mmol, 1, "8.3"}, {150, mmol, 0, "8.3"},
        {69, mmol, 1, "3.8"},  {70, mmol, 1, "3.9"}, {71, mmol, 1, "4.0"},  {70.5f, mmol, 1, "4.0"},  {72, mmol, 1, "4.0"},
        {139, mmol, 1, "7.7"}, {139.9f, mmol, 1, "7.7"}, {140, mmol, 1, "7.8"}, {141, mmol, 1, "7.8"}, {142, mmol, 1, "7.9"},
        {4.5f, mmol, 1, "0.3"}, {22.5f, mmol, 1, "1.3"}, {-4.5f, mmol, 1, "-0.3"}, {-0.5f, mmol, 1, "0.0"}};
    for (const auto& row : rows) {
        EXPECT_EQ(shownReading(row.reading, row.unit, row.mgDecimals), row.shown) << row.reading;
    }
    EXPECT_STREQ(unitName(mg), "mg/dL");
    EXPECT_STREQ(unitName(mmol), "mmol/L");
    const std::pair<const char*, const char*> captions[] = {
        {"70 or below: LOW", "3.9 or below: LOW"},
        {"Above 70 and below 140: JUST RIGHT", "Above 3.9 and below 7.8: JUST RIGHT"},
        {"Under 140.", "Under 7.8."},
        {"700, 1400, 70.5 and 5 coins", "700, 1400, 70.5 and 5 coins"}};
    for (const auto& [laidOut, shown] : captions) {
        EXPECT_EQ(bandCaption(laidOut, mmol), shown);
        EXPECT_EQ(bandCaption(laidOut, mg), laidOut);
    }
}

TEST(CareRules, CountedWordsAgreeWithTheNumberShown)
{
    const struct { Counted word; const char* shown; const char* form; } rows[] = {
        {Counted::Unit, "1", "unit"},  {Counted::Unit, "0", "units"}, {Counted::Unit, "2", "units"},
        {Counted::Unit, "11", "units"}, {Counted::Unit, "-1", "units"}, {Counted::Hour, "1", "hour"},
        {Counted::Hour, "4", "hours"}, {Counted::Hour, "1.5", "hours"}};
    for (const auto& row : rows) {
        EXPECT_EQ(countedWord(row.word, row.shown, Translator{}), row.form) << row.shown;
    }
}

// A low from its draw to its recheck: the reading it starts at, the plan's
// grams, the reading after the wait, whether it is still low and what it pays.
TEST(CareRules, LowIsTreatedByThePlansFastSugarAndPaysOnceBackInTheBand)
{
    EXPECT_EQ(lowReading(0), 50.0f);
    EXPECT_EQ(lowReading(kLowSpread - 1), 69.0f);
    const struct { float reading, plan, rechecked; LowOutcome outcome; float paid; } rows[] = {
        {58, 15, 103, LowOutcome::BackInBand, 5}, {50, 5, 65, LowOutcome::StillLow, 0},
        {55, 5, 70, LowOutcome::StillLow, 0},     {57, 5, 72, LowOutcome::BackInBand, 5},
        {69, 30, 159, LowOutcome::BackInBand, 5}};
    for (const auto& row : rows) {
        AppState s;
        applyStartingValues(s);
        s.setLowGrams(row.plan);
        storeReading(s, row.reading);
        EXPECT_TRUE(isLow(s));
        takeFastSugar(s);
        EXPECT_EQ(s.lowGramsTaken(), row.plan);
        recheckLow(s);
        EXPECT_EQ(s.bloodSugarLevel(), row.rechecked) << row.reading;
        EXPECT_EQ(s.previousReading(), row.reading);
        EXPECT_EQ(settleLowRecheck(s), row.outcome) << row.reading;
        EXPECT_EQ(s.coins(), row.paid) << row.reading;
        // Checking again with no more fast sugar neither lifts nor pays.
        recheckLow(s);
        EXPECT_EQ(s.bloodSugarLevel(), row.rechecked);
        settleLowRecheck(s);
        EXPECT_EQ(s.coins(), row.paid) << "paid twice for " << row.reading;
    }
    for (const auto& [reading, low] : {std::pair{70.0f, true}, {70.01f, false}, {0.0f, true}, {140.0f, false}}) {
        EXPECT_EQ(isLow(reading), low) << reading;
    }
}

TEST(CareRules, TrendComparesTheLatestReadingWithTheOneBefore)
{
    const struct { std::vector<float> readings; Trend trend; } rows[] = {
        {{}, Trend::None}, {{90}, Trend::Down}, {{160}, Trend::Up}, {{150}, Trend::Steady},
        {{60, 103}, Trend::Up}, {{103, 60}, Trend::Down}, {{80, 80}, Trend::Steady}};
    for (const auto& row : rows) {
        AppState s; // reads 150 before any check
        for (float r : row.readings) {
            storeReading(s, r);
        }
        EXPECT_EQ(trend(s), row.trend) << row.readings.size();
        EXPECT_EQ(std::string(trendWords(row.trend)).empty(), row.trend == Trend::None);
    }
}

TEST(CareRules, PlanForALowKeepsItsStepsAndBounds)
{
    AppState s;
    applyStartingValues(s);
    EXPECT_EQ(s.lowGrams(), 15.0f);
    const struct { double asked; float kept; } rows[] = {
        {5, 5}, {15, 15}, {30, 30}, {0, 5}, {35, 30}, {-10, 5}, {12, 10}, {13, 15}};
    for (const auto& row : rows) {
        EXPECT_EQ(planLowGrams(row.asked), row.kept) << row.asked;
    }
}

} // namespace
} // namespace bc
