#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// A picture of how a day's readings go up and down. The care state keeps no
// history, so all but the coin label is layout.
class TrendsViewController : public CareScreen {};

} // namespace bc
