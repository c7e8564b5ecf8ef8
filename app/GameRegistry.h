#pragma once

#include "platform/Registry.h"
#include "state/AppState.h"

namespace bc {

// Every screen class of the game with its outlets and actions, each screen
// handed the one care state. Both must outlive what is loaded from the registry.
Registry gameRegistry(AppState& state);

// The care state of a run with the registry bound to it, kept in one place so
// that neither moves or goes away before the application made from them.
struct GameSetup {
    GameSetup() = default;
    GameSetup(const GameSetup&) = delete;
    GameSetup& operator=(const GameSetup&) = delete;

    AppState state;
    const Registry registry = gameRegistry(state);
};

} // namespace bc
