#include "screens/insulin/InsulinStoppedViewController.h"

#include "platform/Format.h"
#include "platform/NavigationController.h"

namespace bc {

void InsulinStoppedViewController::viewDidLoad()
{
    CareScreen::viewDidLoad();
    navigationController()->setNavigationBarHidden(true);
    updateUI();
}

void InsulinStoppedViewController::viewWillAppear(bool animated)
{
    CareScreen::viewWillAppear(animated);
    navigationController()->setNavigationBarHidden(true, true);
    updateUI();
}

void InsulinStoppedViewController::didReceiveMemoryWarning() { CareScreen::didReceiveMemoryWarning(); }

void InsulinStoppedViewController::updateUI()
{
    showCoins();
    partialDoseLabel->setText(stringWithFormat("%.0f", static_cast<double>(appState().bolusJustGiven())));
}

void InsulinStoppedViewController::clearState()
{
    AppState& state = appState();
    state.setCarbsNotAddressed(0);
    state.setBolusJustGiven(0);
    state.setBolusGiven(0);
    state.setCarbsMostRecentMeal(0);
    state.setCarbsFromCounter(0);
    state.setBolusTarget(0);
}

// The reset runs after the pop has begun: the stack keeps this screen and its
// link to the stack until the action returns, so the care state is still in reach.
void InsulinStoppedViewController::doneButtonPressed(Control*)
{
    navigationController()->popToRootViewControllerAnimated(true);
    clearState();
}

// The stopped delivery below has nothing more to show; back goes home.
void InsulinStoppedViewController::backButtonPressed(Control*)
{
    navigationController()->popToRootViewControllerAnimated(true);
}

} // namespace bc
