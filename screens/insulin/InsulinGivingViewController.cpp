#include "screens/insulin/InsulinGivingViewController.h"

#include "platform/Console.h"
#include "platform/RunLoop.h"

namespace bc {

namespace {
constexpr double kDeliverySeconds = 2.0;
}

void InsulinGivingViewController::viewWillAppear(bool animated)
{
    CareScreen::viewWillAppear(animated);
    doneButton->setHidden(true);
    updateUI();
}

void InsulinGivingViewController::viewDidAppear(bool animated)
{
    CareScreen::viewDidAppear(animated);
    play(Sound::DoseStart);
    scheduledTimerWithTimeInterval(kDeliverySeconds, this, &InsulinGivingViewController::goToInsulinComplete, nullptr,
                                   false);
}

void InsulinGivingViewController::updateUI()
{
    showCoins();
    showCount(givingDoseLabel, unitsRemaining(appState()), "doseUnit", Counted::Unit);
}

void InsulinGivingViewController::goToInsulinComplete()
{
    NSLog("Hello");
    performSegueWithIdentifier("completeInsulinSegue", this);
}

} // namespace bc
