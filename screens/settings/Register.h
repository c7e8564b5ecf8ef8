#pragma once

namespace bc {

class Registry;

void registerSettingsScreens(Registry& registry);

} // namespace bc
