#include "state/AppState.h"

namespace bc {

namespace {
constexpr float kDefaultBloodSugar = 150.0f;
}

float AppState::bloodSugarLevel()
{
    if (bloodSugarLevel_ == 0.0f) {
        bloodSugarLevel_ = kDefaultBloodSugar;
    }
    return bloodSugarLevel_;
}

AppState::List& AppState::items()
{
    if (!items_) {
        items_ = std::make_unique<List>();
    }
    return *items_;
}

void AppState::setItems(List v) { items_ = std::make_unique<List>(std::move(v)); }

AppState::List& AppState::wearing()
{
    if (!wearing_) {
        wearing_ = std::make_unique<List>();
    }
    return *wearing_;
}

void AppState::setWearing(List v) { wearing_ = std::make_unique<List>(std::move(v)); }

void AppState::addCoins(float amount) { setCoins(coins() + amount); }

void AppState::clearState()
{
    setBolusTarget(0);
    setBolusJustGiven(0);
    setBolusGiven(0);
    setCarbsMostRecentMeal(0);
    setCarbsNotAddressed(0);
    setCarbsFromCounter(0);
    setAboutToExercise(false);
    // Back to its starting value, not to "no": the next meal is offered again.
    setIncludeMostRecentMeal(true);
}

} // namespace bc
