#include "screens/settings/Register.h"

#include "platform/Registry.h"

namespace bc {

void registerSettingsScreens(Registry& registry) { (void)registry; }

} // namespace bc
