#include "screens/carbs/Register.h"

#include "platform/Registry.h"

namespace bc {

void registerCarbCounterScreens(Registry& registry) { (void)registry; }

} // namespace bc
