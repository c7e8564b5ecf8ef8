#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The end of a dose that ran to its end: the units, the reasons, and a reward
// on every appearance. Both ways out lead home.
class InsulinCompleteViewController : public CareScreen {
public:
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void didReceiveMemoryWarning() override;

    void addCoins();
    void updateUI();
    // Hands the reset of the bolus to the care state, so a covered meal is
    // not offered again.
    void clearState();

    void backButtonPressed(Control* sender) override;

    Label* doseGivenLabel = nullptr;
    Label* reasonsLabel = nullptr;
};

} // namespace bc
