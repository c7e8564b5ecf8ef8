#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The buddy's reading as a whole number over a green check or a red alert.
// It refreshes only when loaded: coming back to it by back shows what it
// showed when the child arrived.
class BloodSugarViewController : public CareScreen {
public:
    void updateUI() override
    {
        showCoins();
        showReading(bloodSugarLabel, 0);
        showMood(screenBackground, "checkgreen.jpg", "checkred.jpg");
    }

    Label* bloodSugarLabel = nullptr;
    ImageView* screenBackground = nullptr;
};

} // namespace bc
