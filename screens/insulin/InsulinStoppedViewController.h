#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The end of a dose stopped part-way: shows the units that went in. Done goes
// home and clears the bolus; back and home go home and keep it.
class InsulinStoppedViewController : public CareScreen {
public:
    void updateUI() override;
    // Zeroes the six amounts of the bolus; the yes/no answers stay.
    void clearState() { clearStoppedDose(appState()); }

    void doneButtonPressed(Control* sender);
    // The stopped delivery below has nothing more to show; back goes home.
    void backButtonPressed(Control* sender) override { homeButtonPressed(sender); }

    Label* partialDoseLabel = nullptr;
};

} // namespace bc
