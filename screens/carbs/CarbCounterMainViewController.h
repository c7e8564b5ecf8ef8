#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The carb counter's first screen, a side trip for food being eaten now.
// Leaving it by back or home ends a visit opened from the meal question.
// Coins cannot change on the counter's screens, so coming back needs no refresh.
class CarbCounterMainViewController : public CareScreen {
public:
    void backButtonPressed(Control* sender) override;
    void homeButtonPressed(Control* sender) override;
};

} // namespace bc
