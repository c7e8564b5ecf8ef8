#include "screens/insulin/Register.h"

#include "platform/Registry.h"

namespace bc {

void registerInsulinScreens(Registry& registry) { (void)registry; }

} // namespace bc
