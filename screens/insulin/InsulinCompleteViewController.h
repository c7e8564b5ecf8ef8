#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The end of a dose that ran to its end: the units, the reasons, and a reward
// on every appearance. Both ways out lead home.
class InsulinCompleteViewController : public CareScreen {
public:
    // Each dose that ran to its end reaches a screen of its own.
    void viewDidLoad() override
    {
        CareScreen::viewDidLoad();
        noteCare(CareEvent::DoseCompleted);
    }
    void viewWillAppear(bool animated) override;

    void addCoins()
    {
        appState().addCoins(kDoseReward);
        play(Sound::Coin);
    }
    void updateUI() override;
    // The bolus is reset with the meal it covered, which is not offered again.
    void clearState() { appState().clearState(); }

    // The delivery screen below has done its work; back goes home.
    void backButtonPressed(Control* sender) override { homeButtonPressed(sender); }

    Label* doseGivenLabel = nullptr;
    Label* reasonsLabel = nullptr;
};

} // namespace bc
