#pragma once

namespace bc {

class Registry;

// The carb counter's two screens.
void registerCarbCounterScreens(Registry& registry);
// The eating screen.
void registerEatingScreens(Registry& registry);

} // namespace bc
