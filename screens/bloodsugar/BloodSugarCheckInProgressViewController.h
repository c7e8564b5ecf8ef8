#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The meter at work. The child picks how the check turns out; the pick stores
// a new reading, and the control's own transition then shows the result.
class BloodSugarCheckInProgressViewController : public CareScreen {
public:
    void goodButtonPressed(Control* sender);
    void badButtonPressed(Control* sender);
    void lowCheckPressed(Control* sender);
};

} // namespace bc
