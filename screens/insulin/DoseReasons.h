#pragma once

#include "platform/Control.h"
#include "state/AppState.h"

namespace bc {

// Appends why the dose is what it is to the label's current text: the grams
// still to cover, then coming exercise. Callers empty the label first, so the
// lines never pile up over repeated refreshes.
void appendDoseReasons(Label* reasonsLabel, AppState& state);

} // namespace bc
