#include "screens/carbs/CarbCounterAddViewController.h"

#include "platform/NavigationController.h"

namespace bc {

namespace {
constexpr float kCountedGrams = 50.0f;
}

void CarbCounterAddViewController::viewDidLoad()
{
    CareScreen::viewDidLoad();
    navigationController()->setNavigationBarHidden(true);
    updateUI();
}

void CarbCounterAddViewController::viewWillAppear(bool animated)
{
    CareScreen::viewWillAppear(animated);
    navigationController()->setNavigationBarHidden(true, true);
}

void CarbCounterAddViewController::didReceiveMemoryWarning() { CareScreen::didReceiveMemoryWarning(); }

void CarbCounterAddViewController::updateUI() { showCoins(); }

void CarbCounterAddViewController::addButtonPressed(Control*) { appState().setCarbsFromCounter(kCountedGrams); }

void CarbCounterAddViewController::homeButtonPressed(Control*)
{
    appState().setFromInsulinScreen(false);
    navigationController()->popToRootViewControllerAnimated(true);
}

} // namespace bc
