#include "screens/insulin/InsulinSuggestionViewController.h"

#include "platform/Services.h"

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
    reasonsLabel->setText(doseReasons(appState(), services().translator));
}

} // namespace bc
