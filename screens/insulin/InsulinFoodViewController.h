#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The first question of a bolus: cover the last meal? It also opens the carb
// counter for food being eaten now, and on continue settles how many grams
// the dose has to cover.
class InsulinFoodViewController : public CareScreen {
public:
    void updateUI() override;

    void changedSwitch(Control* sender);
    void carbCounterButtonPressed(Control* sender);
    void continueButtonClicked(Control* sender);

    Label* carbsLabel = nullptr;
    Switch* yesSwitch = nullptr;
    Label* yesNoLabel = nullptr;
    Label* carbCounterLabel = nullptr;
};

} // namespace bc
