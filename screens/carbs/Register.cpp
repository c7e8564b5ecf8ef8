#include "screens/carbs/CarbCounterAddViewController.h"
#include "screens/carbs/CarbCounterMainViewController.h"
#include "screens/carbs/Register.h"
#include "screens/carbs/nomNomViewController.h"

namespace bc {

void registerCarbCounterScreens(Registry& registry, AppState& state)
{
    using F = FrameStep;
    const ScreenFrame frame{.didLoad = {F::HideBar, F::Refresh}, .willAppear = {F::HideBarAnimated}};
    registerCareScreen<CarbCounterMainViewController>(registry, state, "CarbCounterMainViewController", frame);
    registerCareScreen<CarbCounterAddViewController>(registry, state, "CarbCounterAddViewController", frame)
        .named({"caption", "countedLine"})
        .action("addButtonPressed", &CarbCounterAddViewController::addButtonPressed);
}

// The first showing follows the load, so refreshing as it appears covers both
// arrival and every return.
void registerEatingScreens(Registry& registry, AppState& state)
{
    registerCareScreen<nomNomViewController>(registry, state, "nomNomViewController",
                                             {.willAppear = {FrameStep::HideBarAnimated, FrameStep::Refresh}})
        .outlet("itemWorn", &nomNomViewController::itemWorn);
}

} // namespace bc
