#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The steps of a finger-stick check, in pictures. Everything it shows is its
// layout. It gives the stack's own bar back as it leaves.
class BloodSugarCheckInstructionsViewController : public CareScreen {};

} // namespace bc
