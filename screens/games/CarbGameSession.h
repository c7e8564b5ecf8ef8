#pragma once

#include "state/CarbGame.h"

namespace bc {

// What the game's two screens share: the game being played and, once it is
// over, its results. One per registry, handed to both screens as they are made.
struct CarbGameSession {
    CarbGame game;
    CarbGameResults results;
};

} // namespace bc
