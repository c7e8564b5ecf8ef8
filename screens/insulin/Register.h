#pragma once

namespace bc {

class AppState;
class Registry;

void registerInsulinScreens(Registry& registry, AppState& state);

} // namespace bc
