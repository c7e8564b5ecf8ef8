#include "screens/buddy/Register.h"

#include "platform/Registry.h"

namespace bc {

void registerBuddyScreens(Registry& registry) { (void)registry; }

} // namespace bc
