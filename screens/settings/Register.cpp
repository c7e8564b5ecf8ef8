#include "screens/settings/Register.h"

#include "platform/Registry.h"
#include "screens/settings/SettingsMainViewController.h"

namespace bc {

void registerSettingsScreens(Registry& registry)
{
    registry.screen<SettingsMainViewController>("SettingsMainViewController")
        .outlet("coinsLabel", &SettingsMainViewController::coinsLabel)
        .outlet("carbStepper", &SettingsMainViewController::carbStepper)
        .outlet("basalRateStepper", &SettingsMainViewController::basalRateStepper)
        .outlet("carbLabel", &SettingsMainViewController::carbLabel)
        .outlet("basalLabel", &SettingsMainViewController::basalLabel)
        .outlet("lockButton", &SettingsMainViewController::lockButton)
        .action("carbRatioButtonChanged", &SettingsMainViewController::carbRatioButtonChanged)
        .action("basalRateChanged", &SettingsMainViewController::basalRateChanged)
        .action("lockPressed", &SettingsMainViewController::lockPressed)
        .exit("backButtonPressed", &SettingsMainViewController::backButtonPressed)
        .exit("homeButtonPressed", &SettingsMainViewController::homeButtonPressed);
}

} // namespace bc
