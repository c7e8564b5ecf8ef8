#include "app/GameRegistry.h"

#include "screens/bloodsugar/Register.h"
#include "screens/buddy/Register.h"
#include "screens/carbs/Register.h"
#include "screens/home/ViewController.h"
#include "screens/insulin/Register.h"
#include "screens/settings/Register.h"

namespace bc {

const Registry& gameRegistry()
{
    static const Registry registry = [] {
        Registry r;
        registerHomeScreens(r);
        registerInsulinScreens(r);
        registerBloodSugarScreens(r);
        registerCarbCounterScreens(r);
        registerEatingScreens(r);
        registerBuddyScreens(r);
        registerSettingsScreens(r);
        return r;
    }();
    return registry;
}

} // namespace bc
