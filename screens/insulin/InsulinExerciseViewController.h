#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The second question of a bolus: is exercise coming, and for how long? Only
// the yes or no reaches the care state; the hours stay on this screen.
class InsulinExerciseViewController : public CareScreen {
public:
    void viewDidLoad() override;
    void updateUI() override;

    void switchChanged(Control* sender);
    void valueChanged(Control* sender);
    void continueButtonPressed(Control* sender);
    // Leaving the flow withdraws a yes given on an earlier pass; cancel keeps it.
    void backButtonPressed(Control* sender) override;
    void homeButtonPressed(Control* sender) override;

    Switch* eSwitch = nullptr;
    Stepper* stepper = nullptr;
    Label* hourLabel = nullptr;
    View* containerView = nullptr;
};

} // namespace bc
