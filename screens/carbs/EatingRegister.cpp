#include "screens/carbs/Register.h"

#include "platform/Registry.h"

namespace bc {

void registerEatingScreens(Registry& registry) { (void)registry; }

} // namespace bc
