#include "screens/bloodsugar/LowViewControllers.h"

#include "platform/NavigationController.h"
#include "platform/Services.h"

namespace bc {

namespace {
// The plan's fifteen minutes, played in fifteen seconds.
constexpr double kLowWaitSeconds = 15.0;
} // namespace

void LowResultsViewController::viewDidAppear(bool animated)
{
    CareScreen::viewDidAppear(animated);
    play(Sound::Low);
}

void LowResultsViewController::toldGrownUpPressed(Control*) { performSegueWithIdentifier("treatLowSegue", this); }

// Coming back from the wait, the screen asks again from the start.
void TreatLowViewController::viewWillAppear(bool animated)
{
    CareScreen::viewWillAppear(animated);
    notFastSugarLabel->setHidden(true);
}

void TreatLowViewController::fastSugarPressed(Control*) { takeFastSugar(appState()); }

void TreatLowViewController::notFastSugarPressed(Control*)
{
    notFastSugarLabel->setHidden(false);
    play(Sound::Refused);
    if (appState().preferences().readToMe) {
        services().audio.say(notFastSugarLabel->text());
    }
}

void LowWaitViewController::viewDidLoad()
{
    CareScreen::viewDidLoad();
    checkAgainButton->setEnabled(false);
    scheduledTimerWithTimeInterval(kLowWaitSeconds, this, &LowWaitViewController::waitIsOver, nullptr, false);
}

void LowWaitViewController::waitIsOver()
{
    checkAgainButton->setEnabled(true);
    if (appState().preferences().readToMe) {
        services().audio.say(services().translator.translate("The wait is over. Tap Check again."));
    }
}

void LowWaitViewController::checkAgainPressed(Control*) { recheckLow(appState()); }

void LowRecheckViewController::viewDidLoad()
{
    const bool treated = appState().lowGramsTaken() > 0.0f;
    outcome_ = settleLowRecheck(appState());
    if (treated && outcome_ == LowOutcome::BackInBand) {
        noteCare(CareEvent::LowTreated);
    }
    CareScreen::viewDidLoad();
    const Translator& words = services().translator;
    const bool back = outcome_ == LowOutcome::BackInBand;
    recheckLabel->setText(back ? words.translate("You did it! Now a small snack, like crackers.")
                               : words.translate("Still low. Have fast sugar again."));
    doneButton->setTitle(back ? words.translate("Done") : words.translate("Fast sugar again"));
    updateUI();
}

void LowRecheckViewController::viewDidAppear(bool animated)
{
    CareScreen::viewDidAppear(animated);
    if (outcome_ == LowOutcome::BackInBand) {
        play(Sound::Happy);
    }
}

void LowRecheckViewController::updateUI()
{
    showCoins();
    showReading(bloodSugarLabel, 1);
}

// Still low goes back to the fast sugar that was taken, wherever it was reached from.
void LowRecheckViewController::doneButtonPressed(Control*)
{
    NavigationController* navigation = navigationController();
    if (outcome_ == LowOutcome::StillLow) {
        const auto below = navigation->viewControllers();
        for (auto it = below.rbegin(); it != below.rend(); ++it) {
            if (dynamic_cast<TreatLowViewController*>(*it) != nullptr) {
                navigation->popToViewController(*it, true);
                return;
            }
        }
    }
    navigation->popToRootViewControllerAnimated(true);
}

} // namespace bc
