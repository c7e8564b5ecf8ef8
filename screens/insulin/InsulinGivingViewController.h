#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The dose being given. It moves on to the complete screen by itself two
// seconds after it has come into view; a stop control works out the part of
// the dose that went in.
class InsulinGivingViewController : public CareScreen {
public:
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    // Every appearance starts a one-shot timer of its own; none is kept or cancelled.
    void viewDidAppear(bool animated) override;
    void didReceiveMemoryWarning() override;

    void updateUI();
    // The timer's target. When the child has already left or stopped, this
    // screen is no longer on top and the platform drops the transition.
    void goToInsulinComplete();
    // A stopped dose: half of what remained counts as given just now, and the
    // whole dose as delivered.
    void clearState();

    Label* givingDoseLabel = nullptr;
    Button* doneButton = nullptr;
};

} // namespace bc
