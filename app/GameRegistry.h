#pragma once

#include "platform/Registry.h"

namespace bc {

// Every screen class of the game with its outlets and actions.
const Registry& gameRegistry();

} // namespace bc
