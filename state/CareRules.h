#pragma once

#include "state/AppState.h"
#include "state/Translator.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace bc {

// The rules of care over one AppState. Screens ask these and show the answer.

// A new run: one uncovered meal of 25 grams, both settings at 15, settings locked,
// and the plan's fast sugar for a low at 15 grams.
void applyStartingValues(AppState& state);

// The blood-sugar band: 70 and below, or 140 and above, is out of range.
inline constexpr float kLowReading = 70.0f;
inline constexpr float kHighReading = 140.0f;
bool readingOutOfRange(AppState& state);
// A new reading on the other side of the band turns the buddy's mood.
enum class MoodTurn { None, Happy, Sad };
MoodTurn moodTurn(float before, float after);

// A reading as the child reads it: in mg/dL with the given decimals, or in
// mmol/L (mg/dL over 18) to one decimal, a half rounded away from zero.
inline constexpr double kMgPerDlPerMmolPerL = 18.0;
std::string shownReading(float mgPerDl, GlucoseUnit unit, int mgDecimals);
// The unit's name, shown beside a reading.
const char* unitName(GlucoseUnit unit);
// A caption laid out with the band's limits in mg/dL, with them as the unit
// shows them; any other number in it stays.
std::string bandCaption(std::string_view laidOut, GlucoseUnit unit);

// The worn-item overlay: shown only while something is owned and something is worn.
bool showsWornItem(AppState& state);

// The meal question answered: with the meal, the grams to cover are the meal
// plus the counted food; without it, the counted food if the counter was
// visited from the question, else what was still to cover stays. Ends the visit.
void settleMeal(AppState& state, bool includeMeal);
// Food counted on a visit from the meal question, which its answer counts
// either way. A visit that counted nothing, or was left by back or home, has none.
bool countedFoodIncluded(AppState& state);

// What the carb counter records for food being eaten now, replacing any earlier count.
inline constexpr float kCountedGrams = 50.0f;
void countFood(AppState& state);

// The hours of coming exercise start at one and never go above four, whatever
// the stepper allows.
inline constexpr double kFirstExerciseHours = 1;
inline constexpr double kMostExerciseHours = 4;
double cappedExerciseHours(double hours);

// Grams still to cover over a fixed 15 grams per unit, neither rounded nor bounded.
inline constexpr float kGramsPerUnit = 15.0f;
float suggestedUnits(AppState& state);
// A fresh dose: the suggestion as target, nothing given yet.
void prepareDose(AppState& state);
// Why the dose is what it is: the grams still to cover, then coming exercise.
std::string doseReasons(AppState& state, const Translator& words);
// What is left to give of the dose.
float unitsRemaining(const AppState& state);

// A stop: half of what remained counts as given just now, the whole dose as delivered.
inline constexpr float kStoppedShare = 0.5f;
void stopDose(AppState& state);
// Done after a stop: the six amounts of the bolus go to zero, the answers stay.
void clearStoppedDose(AppState& state);

// Rewards, in coins.
inline constexpr float kDoseReward = 5.0f;
inline constexpr float kGoodCheckReward = 5.0f;
inline constexpr float kCheatCoins = 50.0f;

// The bow tie costs what a purchase needs and what it takes; owning anything counts as bought.
inline constexpr float kBowTiePrice = 200.0f;
inline constexpr const char* kBoughtItem = "bowtie";
inline constexpr const char* kWornBowTie = "bowtie.jpg";
bool ownsBowTie(AppState& state);
// Buys when the coins reach the price; false, and nothing changed, otherwise.
bool tryToBuyBowTie(AppState& state);
// The whole coins a purchase still lacks (a part of a coin counts as one); none once affordable.
float coinsStillNeeded(AppState& state);
// Every wear adds one more entry: only whether the list is empty matters.
void wearBowTie(AppState& state);

// A finger-stick reading from a draw below kReadingSpread: good reads 70..99, bad 120..149.
inline constexpr std::uint32_t kReadingSpread = 30;
float goodReading(std::uint32_t draw);
float badReading(std::uint32_t draw);

// A pretend low reads 50..69 from a draw below kLowSpread.
inline constexpr std::uint32_t kLowSpread = 20;
float lowReading(std::uint32_t draw);
// A new reading, the one it replaces kept for the trend.
void storeReading(AppState& state, float reading);
// At or below the band's low side, its edge included.
bool isLow(float reading);
bool isLow(AppState& state);
// Which way the latest reading went since the one before; None before a second reading.
enum class Trend { None, Up, Down, Steady };
Trend trend(AppState& state);
// The words a screen reader says for a trend.
const char* trendWords(Trend trend);

// The grown-up's plan for a low: grams of fast sugar, in steps, within bounds.
inline constexpr double kLeastLowGrams = 5;
inline constexpr double kMostLowGrams = 30;
inline constexpr double kLowGramsStep = 5;
inline constexpr float kStartingLowGrams = 15;
// A stepper's value as the plan keeps it: on a step, within the bounds.
float planLowGrams(double grams);
// Fast sugar taken: the plan's grams, in place of any taken before.
void takeFastSugar(AppState& state);
// Each gram of fast sugar lifts the reading by 3 mg/dL by the time of the recheck.
inline constexpr float kMgPerDlPerGram = 3.0f;
float recheckedReading(float reading, float gramsTaken);
// The recheck after the wait: the new reading, lifted by the fast sugar taken.
void recheckLow(AppState& state);
// The recheck's answer. Out of the low pays once per treated low, still low
// pays nothing; either way the fast sugar taken is spent, so checking again
// without more of it neither lifts the reading nor pays.
enum class LowOutcome { BackInBand, StillLow };
inline constexpr float kTreatedLowReward = 5.0f;
LowOutcome settleLowRecheck(AppState& state);

// The basal rate is kept in tenths of a unit per hour and shown in units.
inline constexpr double kBasalTenths = 10.0;
double basalUnitsPerHour(double tenths);
// The lock button's title names what the next press will do; returns it after toggling.
const char* toggleSettingsLock(AppState& state);
// The note under the grown-ups' settings follows the lock itself, not the button's title.
const char* settingsNote(bool locked);

// The number a shown whole number counts, for choosing a plural form.
unsigned long countOf(std::string_view shownNumber);
// The form of a counted word that agrees with the number as shown.
enum class Counted { Unit, Hour };
std::string countedWord(Counted word, std::string_view shownNumber, const Translator& words);

} // namespace bc
