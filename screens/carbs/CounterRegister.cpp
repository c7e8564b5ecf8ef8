#include "screens/carbs/Register.h"

#include "platform/Registry.h"
#include "screens/carbs/CarbCounterAddViewController.h"
#include "screens/carbs/CarbCounterMainViewController.h"

namespace bc {

void registerCarbCounterScreens(Registry& registry)
{
    registry.screen<CarbCounterMainViewController>("CarbCounterMainViewController")
        .outlet("coinsLabel", &CarbCounterMainViewController::coinsLabel)
        .exit("backButtonPressed", &CarbCounterMainViewController::backButtonPressed)
        .exit("homeButtonPressed", &CarbCounterMainViewController::homeButtonPressed);

    registry.screen<CarbCounterAddViewController>("CarbCounterAddViewController")
        .outlet("coinsLabel", &CarbCounterAddViewController::coinsLabel)
        .action("addButtonPressed", &CarbCounterAddViewController::addButtonPressed)
        .exit("backButtonPressed", &CarbCounterAddViewController::backButtonPressed)
        .exit("homeButtonPressed", &CarbCounterAddViewController::homeButtonPressed);
}

} // namespace bc
