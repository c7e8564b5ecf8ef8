#include "screens/insulin/InsulinCompleteViewController.h"

#include "platform/Format.h"
#include "platform/NavigationController.h"
#include "screens/insulin/DoseReasons.h"

namespace bc {

namespace {
constexpr float kDoseReward = 5.0f;
}

void InsulinCompleteViewController::viewDidLoad()
{
    CareScreen::viewDidLoad();
    navigationController()->setNavigationBarHidden(true);
    updateUI();
}

void InsulinCompleteViewController::viewWillAppear(bool animated)
{
    CareScreen::viewWillAppear(animated);
    navigationController()->setNavigationBarHidden(true, true);
    addCoins();
    updateUI();
}

void InsulinCompleteViewController::didReceiveMemoryWarning() { CareScreen::didReceiveMemoryWarning(); }

void InsulinCompleteViewController::addCoins() { appState().setCoins(appState().coins() + kDoseReward); }

void InsulinCompleteViewController::updateUI()
{
    reasonsLabel->setText("");
    showCoins();
    // The dose as planned, which is what went in when nothing stopped it.
    doseGivenLabel->setText(stringWithFormat("%.0f", static_cast<double>(appState().bolusTarget())));
    appendDoseReasons(reasonsLabel, appState());
}

void InsulinCompleteViewController::clearState() { appState().clearState(); }

// The delivery screen below has done its work; back goes home.
void InsulinCompleteViewController::backButtonPressed(Control*)
{
    navigationController()->popToRootViewControllerAnimated(true);
}

} // namespace bc
