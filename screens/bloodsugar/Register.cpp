#include "screens/bloodsugar/Register.h"

#include "platform/Registry.h"

namespace bc {

void registerBloodSugarScreens(Registry& registry) { (void)registry; }

} // namespace bc
