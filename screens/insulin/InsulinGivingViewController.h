#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The dose being given. It moves on to the complete screen by itself two
// seconds after it has come into view; a stop control works out the part of
// the dose that went in.
class InsulinGivingViewController : public CareScreen {
public:
    void viewWillAppear(bool animated) override;
    // Every appearance starts a one-shot timer of its own; none is kept or cancelled.
    void viewDidAppear(bool animated) override;

    void updateUI() override;
    // The timer's target. When the child has already left or stopped, this
    // screen is no longer on top and the platform drops the transition.
    void goToInsulinComplete();
    void clearState()
    {
        stopDose(appState());
        play(Sound::DoseStop);
        noteCare(CareEvent::DoseStopped);
    }

    Label* givingDoseLabel = nullptr;
    Button* doneButton = nullptr;
};

} // namespace bc
