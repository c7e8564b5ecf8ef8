#include "state/CareRules.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <charconv>
#include <cstdio>

namespace bc {

namespace {
constexpr float kStartingMeal = 25.0f;
constexpr float kStartingSetting = 15.0f;
constexpr double kGoodReadingBase = 70.0;
constexpr double kBadReadingBase = 120.0;
constexpr double kLowReadingBase = 50.0;

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
    state.setLowGrams(kStartingLowGrams);
}

namespace {
bool outOfRange(float reading) { return reading >= kHighReading || reading <= kLowReading; }
} // namespace

bool readingOutOfRange(AppState& state) { return outOfRange(state.bloodSugarLevel()); }

MoodTurn moodTurn(float before, float after)
{
    if (outOfRange(before) == outOfRange(after)) {
        return MoodTurn::None;
    }
    return outOfRange(after) ? MoodTurn::Sad : MoodTurn::Happy;
}

std::string shownReading(float mgPerDl, GlucoseUnit unit, int mgDecimals)
{
    char text[64];
    if (unit == GlucoseUnit::MgPerDl) {
        std::snprintf(text, sizeof text, "%.*f", mgDecimals, static_cast<double>(mgPerDl));
        return text;
    }
    // Rounded to whole tenths before printing: printf would round an exact
    // half such as 0.25 to even, and a child's 4.5 mg/dL must read 0.3.
    // Negative zero reads as plain zero.
    double tenths = std::round(static_cast<double>(mgPerDl) * 10.0 / kMgPerDlPerMmolPerL) + 0.0;
    // The band is told in mmol/L as "3.9 or below" and "7.8 or above", so a
    // reading inside it that rounds onto an edge (71 mg/dL, 139.6 mg/dL) reads
    // one tenth inside, never as low or high beside a green check.
    if (mgPerDl > kLowReading && mgPerDl < kHighReading) {
        const double lowEdge = std::round(static_cast<double>(kLowReading) * 10.0 / kMgPerDlPerMmolPerL);
        const double highEdge = std::round(static_cast<double>(kHighReading) * 10.0 / kMgPerDlPerMmolPerL);
        tenths = std::clamp(tenths, lowEdge + 1.0, highEdge - 1.0);
    }
    std::snprintf(text, sizeof text, "%.1f", tenths / 10.0);
    return text;
}

const char* unitName(GlucoseUnit unit) { return unit == GlucoseUnit::MgPerDl ? "mg/dL" : "mmol/L"; }

std::string bandCaption(std::string_view laidOut, GlucoseUnit unit)
{
    const std::string low = shownReading(kLowReading, GlucoseUnit::MgPerDl, 0);
    const std::string high = shownReading(kHighReading, GlucoseUnit::MgPerDl, 0);
    const auto digitAt = [laidOut](std::size_t k) {
        return k < laidOut.size() && std::isdigit(static_cast<unsigned char>(laidOut[k])) != 0;
    };
    std::string shown;
    for (std::size_t i = 0; i < laidOut.size();) {
        if (!digitAt(i)) {
            shown += laidOut[i++];
            continue;
        }
        // A whole number, with its decimals but not a full stop after it.
        std::size_t end = i;
        while (digitAt(end) || (digitAt(end + 1) && laidOut[end] == '.')) {
            ++end;
        }
        const std::string_view number = laidOut.substr(i, end - i);
        shown += number == low    ? shownReading(kLowReading, unit, 0)
                 : number == high ? shownReading(kHighReading, unit, 0)
                                  : std::string(number);
        i = end;
    }
    return shown;
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

bool countedFoodIncluded(AppState& state) { return state.fromInsulinScreen() && state.carbsFromCounter() > 0; }

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
                        grams);
        reasons += '\n';
    }
    if (state.aboutToExercise()) {
        // Appended piece by piece: g++ 12 at -O3 misreads "\n" + string as an overlapping copy (-Wrestrict).
        reasons += '\n';
        reasons += words.translate("You're about to exercise");
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

float coinsStillNeeded(AppState& state) { return std::max(0.0f, std::ceil(kBowTiePrice - state.coins())); }

void wearBowTie(AppState& state) { state.wearing().push_back(kWornBowTie); }

float goodReading(std::uint32_t draw) { return static_cast<float>(kGoodReadingBase + draw); }

float badReading(std::uint32_t draw) { return static_cast<float>(kBadReadingBase + draw); }

float lowReading(std::uint32_t draw) { return static_cast<float>(kLowReadingBase + draw); }

void storeReading(AppState& state, float reading)
{
    state.setPreviousReading(state.bloodSugarLevel());
    state.setBloodSugarLevel(reading);
}

bool isLow(float reading) { return reading <= kLowReading; }

bool isLow(AppState& state) { return isLow(state.bloodSugarLevel()); }

Trend trend(AppState& state)
{
    const float before = state.previousReading();
    const float now = state.bloodSugarLevel();
    if (before == 0.0f) {
        return Trend::None;
    }
    return now > before ? Trend::Up : now < before ? Trend::Down : Trend::Steady;
}

const char* trendWords(Trend trend)
{
    switch (trend) {
    case Trend::Up: return untranslated("Going up");
    case Trend::Down: return untranslated("Going down");
    case Trend::Steady: return untranslated("Staying the same");
    case Trend::None: break;
    }
    return "";
}

float planLowGrams(double grams)
{
    const double stepped = std::round(grams / kLowGramsStep) * kLowGramsStep;
    return static_cast<float>(std::clamp(stepped, kLeastLowGrams, kMostLowGrams));
}

void takeFastSugar(AppState& state) { state.setLowGramsTaken(state.lowGrams()); }

float recheckedReading(float reading, float gramsTaken) { return reading + kMgPerDlPerGram * gramsTaken; }

void recheckLow(AppState& state)
{
    storeReading(state, recheckedReading(state.bloodSugarLevel(), state.lowGramsTaken()));
}

LowOutcome settleLowRecheck(AppState& state)
{
    const bool treated = state.lowGramsTaken() > 0.0f;
    state.setLowGramsTaken(0);
    if (isLow(state)) {
        return LowOutcome::StillLow;
    }
    if (treated) {
        state.addCoins(kTreatedLowReward);
    }
    return LowOutcome::BackInBand;
}

double basalUnitsPerHour(double tenths) { return tenths / kBasalTenths; }

const char* toggleSettingsLock(AppState& state)
{
    const bool wasLocked = state.settingsLocked();
    state.setSettingsLocked(!wasLocked);
    return wasLocked ? untranslated("Lock") : untranslated("Unlock");
}

const char* settingsNote(bool locked)
{
    return locked ? untranslated("For grown-ups.\nAsk a grown-up to unlock.")
                  : untranslated("For grown-ups.\nLock them again when you are done.");
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
