#pragma once

namespace bc {

class AppState;
class Registry;

// The carb counter's two screens.
void registerCarbCounterScreens(Registry& registry, AppState& state);
// The eating screen.
void registerEatingScreens(Registry& registry, AppState& state);

} // namespace bc
