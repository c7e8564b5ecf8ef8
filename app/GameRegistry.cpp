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
    // The first screen's at once; the others when first looked up.
    registerHomeScreens(registry, state);
    for (auto* group : {registerInsulinScreens, registerBloodSugarScreens, registerCarbCounterScreens,
                        registerEatingScreens, registerBuddyScreens, registerGameScreens, registerSettingsScreens,
                        registerJobScreens, registerPracticeScreen}) {
        registry.later([group, &state](Registry& r) { group(r, state); });
    }
    return registry;
}

} // namespace bc
