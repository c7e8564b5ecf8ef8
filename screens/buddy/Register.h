#pragma once

namespace bc {

class AppState;
class Registry;

void registerBuddyScreens(Registry& registry, AppState& state);

} // namespace bc
