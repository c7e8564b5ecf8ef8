#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The end of a dose stopped part-way: shows the units that went in. Done goes
// home and clears the bolus; back and home go home and keep it.
class InsulinStoppedViewController : public CareScreen {
public:
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void didReceiveMemoryWarning() override;

    void updateUI();
    // Zeroes the six amounts of the bolus; the yes/no answers stay.
    void clearState();

    void doneButtonPressed(Control* sender);
    void backButtonPressed(Control* sender) override;

    Label* partialDoseLabel = nullptr;
};

} // namespace bc
