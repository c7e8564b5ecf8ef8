#include "screens/insulin/InsulinSuggestionViewController.h"

#include "platform/Format.h"
#include "platform/NavigationController.h"
#include "screens/insulin/DoseReasons.h"

namespace bc {

namespace {
constexpr float kGramsPerUnit = 15.0f;
}

void InsulinSuggestionViewController::viewDidLoad()
{
    CareScreen::viewDidLoad();
    navigationController()->setNavigationBarHidden(true);
    updateUI();
}

void InsulinSuggestionViewController::viewWillAppear(bool animated)
{
    CareScreen::viewWillAppear(animated);
    AppState& state = appState();
    const float units = getSuggestedUnits();
    state.setBolusTarget(units);
    state.setBolusGiven(0);
    state.setBolusJustGiven(0);
    navigationController()->setNavigationBarHidden(true, true);
    updateUI();
}

void InsulinSuggestionViewController::didReceiveMemoryWarning() { CareScreen::didReceiveMemoryWarning(); }

float InsulinSuggestionViewController::getSuggestedUnits() { return appState().carbsNotAddressed() / kGramsPerUnit; }

void InsulinSuggestionViewController::updateUI()
{
    reasonsLabel->setText("");
    showCoins();
    suggestedBolusLabel->setText(stringWithFormat("%.0f", static_cast<double>(appState().bolusTarget())));
    appendDoseReasons(reasonsLabel, appState());
}

} // namespace bc
