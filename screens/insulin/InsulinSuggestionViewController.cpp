#include "screens/insulin/InsulinSuggestionViewController.h"

namespace bc {

void InsulinSuggestionViewController::viewWillAppear(bool animated)
{
    prepareDose(appState());
    CareScreen::viewWillAppear(animated);
}

void InsulinSuggestionViewController::updateUI()
{
    showCoins();
    showCount(suggestedBolusLabel, appState().bolusTarget(), "doseUnit", Counted::Unit);
    reasonsLabel->setText(doseReasons(appState()));
}

} // namespace bc
