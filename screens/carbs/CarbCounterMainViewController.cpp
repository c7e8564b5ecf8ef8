#include "screens/carbs/CarbCounterMainViewController.h"

#include "platform/NavigationController.h"

namespace bc {

void CarbCounterMainViewController::viewDidLoad()
{
    CareScreen::viewDidLoad();
    navigationController()->setNavigationBarHidden(true);
    updateUI();
}

// Coins cannot change on the counter's screens, so coming back needs no refresh.
void CarbCounterMainViewController::viewWillAppear(bool animated)
{
    CareScreen::viewWillAppear(animated);
    navigationController()->setNavigationBarHidden(true, true);
}

void CarbCounterMainViewController::didReceiveMemoryWarning() { CareScreen::didReceiveMemoryWarning(); }

void CarbCounterMainViewController::updateUI() { showCoins(); }

void CarbCounterMainViewController::backButtonPressed(Control*)
{
    appState().setFromInsulinScreen(false);
    navigationController()->popViewControllerAnimated(true);
}

void CarbCounterMainViewController::homeButtonPressed(Control*)
{
    appState().setFromInsulinScreen(false);
    navigationController()->popToRootViewControllerAnimated(true);
}

} // namespace bc
