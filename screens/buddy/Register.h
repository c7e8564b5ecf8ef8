#pragma once

namespace bc {

class Registry;

void registerBuddyScreens(Registry& registry);

} // namespace bc
