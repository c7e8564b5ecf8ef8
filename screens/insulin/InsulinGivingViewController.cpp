#include "screens/insulin/InsulinGivingViewController.h"

#include "platform/Console.h"
#include "platform/Format.h"
#include "platform/NavigationController.h"
#include "platform/RunLoop.h"

namespace bc {

namespace {
constexpr double kDeliverySeconds = 2.0;
constexpr float kStoppedShare = 0.5f;
} // namespace

void InsulinGivingViewController::viewDidLoad()
{
    CareScreen::viewDidLoad();
    navigationController()->setNavigationBarHidden(true);
    updateUI();
}

void InsulinGivingViewController::viewWillAppear(bool animated)
{
    CareScreen::viewWillAppear(animated);
    navigationController()->setNavigationBarHidden(true, true);
    doneButton->setHidden(true);
    updateUI();
}

void InsulinGivingViewController::viewDidAppear(bool animated)
{
    CareScreen::viewDidAppear(animated);
    scheduledTimerWithTimeInterval(kDeliverySeconds, this, &InsulinGivingViewController::goToInsulinComplete, nullptr,
                                   false);
}

void InsulinGivingViewController::didReceiveMemoryWarning() { CareScreen::didReceiveMemoryWarning(); }

void InsulinGivingViewController::updateUI()
{
    showCoins();
    const float remaining = appState().bolusTarget() - appState().bolusGiven();
    givingDoseLabel->setText(stringWithFormat("%.0f", static_cast<double>(remaining)));
}

void InsulinGivingViewController::goToInsulinComplete()
{
    NSLog("Hello");
    performSegueWithIdentifier("completeInsulinSegue", this);
}

void InsulinGivingViewController::clearState()
{
    AppState& state = appState();
    const float target = state.bolusTarget();
    const float given = state.bolusGiven();
    state.setBolusJustGiven((target - given) * kStoppedShare);
    state.setBolusGiven(state.bolusTarget());
}

} // namespace bc
