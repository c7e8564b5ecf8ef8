#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// Records the food being eaten now: one fixed portion of carbs. Back returns
// to the counter and keeps the visit open; home ends it.
class CarbCounterAddViewController : public CareScreen {
public:
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void didReceiveMemoryWarning() override;

    void updateUI();

    // Replaces, never adds up: a second press or a second visit still leaves one portion.
    void addButtonPressed(Control* sender);
    void homeButtonPressed(Control* sender) override;
};

} // namespace bc
