#include "state/CareRules.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace bc {

namespace {
constexpr float kStartingMeal = 25.0f;
constexpr float kStartingSetting = 15.0f;
constexpr double kGoodReadingBase = 70.0;
constexpr double kBadReadingBase = 120.0;

std::string wholeNumber(float value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.0f", static_cast<double>(value));
    return text;
}
} // namespace

void applyStartingValues(AppState& state)
{
    state.setIncludeMostRecentMeal(true);
    state.setCarbsMostRecentMeal(kStartingMeal);
    state.setCarbsNotAddressed(kStartingMeal);
    state.setBasalRate(kStartingSetting);
    state.setCarbRatio(kStartingSetting);
    state.setSettingsLocked(true);
}

bool readingOutOfRange(AppState& state)
{
    return state.bloodSugarLevel() >= kHighReading || state.bloodSugarLevel() <= kLowReading;
}

bool showsWornItem(AppState& state) { return !state.items().empty() && !state.wearing().empty(); }

void settleMeal(AppState& state, bool includeMeal)
{
    state.setIncludeMostRecentMeal(includeMeal);
    if (includeMeal) {
        state.setCarbsNotAddressed(state.carbsMostRecentMeal() + state.carbsFromCounter());
    } else if (state.fromInsulinScreen()) {
        state.setCarbsNotAddressed(state.carbsFromCounter());
    }
    state.setFromInsulinScreen(false);
}

void countFood(AppState& state) { state.setCarbsFromCounter(kCountedGrams); }

double cappedExerciseHours(double hours) { return hours > kMostExerciseHours ? kMostExerciseHours : hours; }

float suggestedUnits(AppState& state) { return state.carbsNotAddressed() / kGramsPerUnit; }

void prepareDose(AppState& state)
{
    const float units = suggestedUnits(state);
    state.setBolusTarget(units);
    state.setBolusGiven(0);
    state.setBolusJustGiven(0);
}

std::string doseReasons(AppState& state, const Translator& words)
{
    std::string reasons;
    if (state.carbsNotAddressed() > 0) {
        const std::string grams = wholeNumber(state.carbsNotAddressed());
        reasons += fill(words.translatePlural("Because you ate %s carb", "Because you ate %s carbs", countOf(grams)),
                        grams) +
                   "\n";
    }
    if (state.aboutToExercise()) {
        reasons += "\n" + words.translate("You're about to exercise");
    }
    return reasons;
}

float unitsRemaining(const AppState& state) { return state.bolusTarget() - state.bolusGiven(); }

void stopDose(AppState& state)
{
    state.setBolusJustGiven(unitsRemaining(state) * kStoppedShare);
    state.setBolusGiven(state.bolusTarget());
}

void clearStoppedDose(AppState& state)
{
    state.setCarbsNotAddressed(0);
    state.setBolusJustGiven(0);
    state.setBolusGiven(0);
    state.setCarbsMostRecentMeal(0);
    state.setCarbsFromCounter(0);
    state.setBolusTarget(0);
}

bool ownsBowTie(AppState& state) { return !state.items().empty(); }

bool tryToBuyBowTie(AppState& state)
{
    if (state.coins() < kBowTiePrice) {
        return false;
    }
    state.items().push_back(kBoughtItem);
    state.setCoins(state.coins() - kBowTiePrice);
    return true;
}

void wearBowTie(AppState& state) { state.wearing().push_back(kWornBowTie); }

float goodReading(std::uint32_t draw) { return static_cast<float>(kGoodReadingBase + draw); }

float badReading(std::uint32_t draw) { return static_cast<float>(kBadReadingBase + draw); }

double basalUnitsPerHour(double tenths) { return tenths / kBasalTenths; }

const char* toggleSettingsLock(AppState& state)
{
    const bool wasLocked = state.settingsLocked();
    state.setSettingsLocked(!wasLocked);
    return wasLocked ? untranslated("Lock") : untranslated("Unlock");
}

unsigned long countOf(std::string_view shownNumber)
{
    unsigned long count = 0;
    const char* end = shownNumber.data() + shownNumber.size();
    auto [ptr, ec] = std::from_chars(shownNumber.data(), end, count);
    // What is not a plain count (a sign, a fraction) is read as many.
    return ec == std::errc() && ptr == end ? count : 2;
}

std::string countedWord(Counted word, std::string_view shownNumber, const Translator& words)
{
    const unsigned long count = countOf(shownNumber);
    switch (word) {
    case Counted::Unit: return words.translatePlural("unit", "units", count);
    case Counted::Hour: return words.translatePlural("hour", "hours", count);
    }
    return {};
}

} // namespace bc
