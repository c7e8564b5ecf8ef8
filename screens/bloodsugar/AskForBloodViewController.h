#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The finger-stick itself: the buddy gives a drop of blood. Its coin label is
// written once, when it loads.
class AskForBloodViewController : public CareScreen {};

} // namespace bc
