#include "screens/insulin/InsulinCompleteViewController.h"

#include "platform/Services.h"

namespace bc {

void InsulinCompleteViewController::viewWillAppear(bool animated)
{
    CareScreen::viewWillAppear(animated);
    play(Sound::DoseDone);
    addCoins();
    updateUI();
}

void InsulinCompleteViewController::updateUI()
{
    showCoins();
    // The dose as planned, which is what went in when nothing stopped it.
    showCount(doseGivenLabel, appState().bolusTarget(), "doseUnit", Counted::Unit);
    reasonsLabel->setText(doseReasons(appState(), services().translator));
}

} // namespace bc
