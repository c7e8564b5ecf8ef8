#include "app/GameRegistry.h"

#include "screens/bloodsugar/Register.h"
#include "screens/buddy/Register.h"
#include "screens/carbs/Register.h"
#include "screens/games/Register.h"
#include "screens/home/ViewController.h"
#include "screens/insulin/Register.h"
#include "screens/jobs/JobsViewControllers.h"
#include "screens/settings/PracticeViewController.h"
#include "screens/settings/SettingsMainViewController.h"

namespace bc {

Registry gameRegistry(AppState& state)
{
    Registry registry;
    registerHomeScreens(registry, state);
    registerInsulinScreens(registry, state);
    registerBloodSugarScreens(registry, state);
    registerCarbCounterScreens(registry, state);
    registerEatingScreens(registry, state);
    registerBuddyScreens(registry, state);
    registerGameScreens(registry, state);
    registerSettingsScreens(registry, state);
    registerJobScreens(registry, state);
    registerPracticeScreen(registry, state);
    return registry;
}

} // namespace bc
