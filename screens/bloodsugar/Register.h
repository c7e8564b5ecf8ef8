#pragma once

namespace bc {

class Registry;

void registerBloodSugarScreens(Registry& registry);

} // namespace bc
