#include "screens/insulin/InsulinStoppedViewController.h"

#include "platform/NavigationController.h"

namespace bc {

void InsulinStoppedViewController::updateUI()
{
    showCoins();
    showCount(partialDoseLabel, appState().bolusJustGiven(), "doseUnit", Counted::Unit);
}

// The reset runs after the pop has begun; the care state was handed to this
// screen, so it is still in reach.
void InsulinStoppedViewController::doneButtonPressed(Control*)
{
    navigationController()->popToRootViewControllerAnimated(true);
    clearState();
}

} // namespace bc
