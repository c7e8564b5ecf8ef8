#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The end of a bad check: the new reading, and nothing changed besides it.
class BadResultsViewController : public CareScreen {
public:
    void viewDidLoad() override
    {
        noteCare(CareEvent::TrickyCheck);
        CareScreen::viewDidLoad();
    }
    void updateUI() override
    {
        showCoins();
        showReading(bloodSugarLabel, 1);
    }

    Label* bloodSugarLabel = nullptr;
};

} // namespace bc
