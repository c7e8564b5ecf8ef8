#pragma once

#include "state/Preferences.h"
#include "state/Progress.h"

#include <memory>
#include <string>
#include <vector>

namespace bc {

// The one care state of a run. Plain data: every quantity is a 32-bit float,
// counts such as coins included, so arithmetic matches what the screens show.
class AppState {
public:
    using List = std::vector<std::string>;

    // Reads as 150 while nothing (or 0) has been stored, and keeps the 150.
    float bloodSugarLevel();
    void setBloodSugarLevel(float v) { bloodSugarLevel_ = v; }

    float carbsMostRecentMeal() const { return carbsMostRecentMeal_; }
    void setCarbsMostRecentMeal(float v) { carbsMostRecentMeal_ = v; }

    float coins() const { return coins_; }
    void setCoins(float v) { coins_ = v; }

    // The live lists themselves, made on first read; callers append in place.
    List& items();
    void setItems(List v);
    List& wearing();
    void setWearing(List v);

    float bolusGiven() const { return bolusGiven_; }
    void setBolusGiven(float v) { bolusGiven_ = v; }

    float bolusTarget() const { return bolusTarget_; }
    void setBolusTarget(float v) { bolusTarget_ = v; }

    float carbsNotAddressed() const { return carbsNotAddressed_; }
    void setCarbsNotAddressed(float v) { carbsNotAddressed_ = v; }

    float carbsFromCounter() const { return carbsFromCounter_; }
    void setCarbsFromCounter(float v) { carbsFromCounter_ = v; }

    float bolusJustGiven() const { return bolusJustGiven_; }
    void setBolusJustGiven(float v) { bolusJustGiven_ = v; }

    bool includeMostRecentMeal() const { return includeMostRecentMeal_; }
    void setIncludeMostRecentMeal(bool v) { includeMostRecentMeal_ = v; }

    bool fromInsulinScreen() const { return fromInsulinScreen_; }
    void setFromInsulinScreen(bool v) { fromInsulinScreen_ = v; }

    bool aboutToExercise() const { return aboutToExercise_; }
    void setAboutToExercise(bool v) { aboutToExercise_ = v; }

    float carbRatio() const { return carbRatio_; }
    void setCarbRatio(float v) { carbRatio_ = v; }

    float basalRate() const { return basalRate_; }
    void setBasalRate(float v) { basalRate_ = v; }

    bool settingsLocked() const { return settingsLocked_; }
    void setSettingsLocked(bool v) { settingsLocked_ = v; }

    // The reading before the latest one, for the trend; 0 until a second reading.
    float previousReading() const { return previousReading_; }
    void setPreviousReading(float v) { previousReading_ = v; }

    // The grams of fast sugar the grown-up's plan gives for a low.
    float lowGrams() const { return lowGrams_; }
    void setLowGrams(float v) { lowGrams_ = v; }

    // The fast sugar taken for a low whose recheck is still to come.
    float lowGramsTaken() const { return lowGramsTaken_; }
    void setLowGramsTaken(float v) { lowGramsTaken_ = v; }

    // Kept with the care state so that every screen reaches them the same way.
    Preferences& preferences() { return preferences_; }

    // The day's jobs with the sticker book, and what was practised (state/Jobs.h).
    DayJobs& jobs() { return jobs_; }
    PracticeRecord& practice() { return practice_; }

    void addCoins(float amount);

    // Resets the fields of one bolus; leaves readings, coins, items and settings.
    void clearState();

private:
    float bloodSugarLevel_ = 0;
    float carbsMostRecentMeal_ = 0;
    float coins_ = 0;
    std::unique_ptr<List> items_;
    std::unique_ptr<List> wearing_;
    float bolusGiven_ = 0;
    float bolusTarget_ = 0;
    float carbsNotAddressed_ = 0;
    float carbsFromCounter_ = 0;
    float bolusJustGiven_ = 0;
    bool includeMostRecentMeal_ = false;
    bool fromInsulinScreen_ = false;
    bool aboutToExercise_ = false;
    float carbRatio_ = 0;
    float basalRate_ = 0;
    bool settingsLocked_ = false;
    float previousReading_ = 0;
    float lowGrams_ = 0;
    float lowGramsTaken_ = 0;
    Preferences preferences_;
    DayJobs jobs_;
    PracticeRecord practice_;
};

} // namespace bc
