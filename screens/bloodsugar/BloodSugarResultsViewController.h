#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// What a reading means: low, in range, high. Everything it shows is its
// layout. The stack's own bar comes back once it has left.
class BloodSugarResultsViewController : public CareScreen {};

} // namespace bc
