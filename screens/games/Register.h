#pragma once

namespace bc {

class AppState;
class Registry;

void registerGameScreens(Registry& registry, AppState& state);

} // namespace bc
