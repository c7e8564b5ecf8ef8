#include "screens/carbs/Register.h"

#include "platform/Registry.h"
#include "screens/carbs/nomNomViewController.h"

namespace bc {

void registerEatingScreens(Registry& registry)
{
    registry.screen<nomNomViewController>("nomNomViewController")
        .outlet("itemWorn", &nomNomViewController::itemWorn)
        .outlet("coinsLabel", &nomNomViewController::coinsLabel)
        .exit("backButtonPressed", &nomNomViewController::backButtonPressed)
        .exit("homeButtonPressed", &nomNomViewController::homeButtonPressed);
}

} // namespace bc
