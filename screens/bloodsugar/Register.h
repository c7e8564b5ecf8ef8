#pragma once

namespace bc {

class AppState;
class Registry;

void registerBloodSugarScreens(Registry& registry, AppState& state);

} // namespace bc
