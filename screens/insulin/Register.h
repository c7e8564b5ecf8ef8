#pragma once

namespace bc {

class Registry;

void registerInsulinScreens(Registry& registry);

} // namespace bc
