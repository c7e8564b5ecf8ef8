#include "screens/buddy/Register.h"

#include "screens/buddy/BuddyCentralViewController.h"
#include "screens/buddy/ClosetItemSelectedViewController.h"
#include "screens/buddy/ClosetViewController.h"
#include "screens/buddy/GamesScreenViewController.h"
#include "screens/buddy/ItemViewController.h"

namespace bc {

void registerBuddyScreens(Registry& registry, AppState& state)
{
    using F = FrameStep;
    const ScreenFrame plain{.didLoad = {F::HideBar, F::Refresh}, .willAppear = {F::HideBarAnimated}};

    using Central = BuddyCentralViewController;
    registerCareScreen<Central>(registry, state, "BuddyCentralViewController",
                                {.didLoad = {F::HideBar, F::Refresh}, .willAppear = {F::Refresh, F::HideBar}})
        .outlet("screenBackground", &Central::screenBackground)
        .outlet("itemWorn", &Central::itemWorn)
        .outlet("backButton", &Central::backButton);

    registerCareScreen<ItemViewController>(registry, state, "ItemViewController", plain)
        .outlet("screenBackground", &ItemViewController::screenBackground)
        .outlet("buyButton", &ItemViewController::buyButton)
        .outlet("closetButton", &ItemViewController::closetButton)
        .named<Label>("coinsNeededLabel")
        .named({"coinsNeededCard"})
        .action("tryToBuy", &ItemViewController::tryToBuy);

    registerCareScreen<ClosetViewController>(registry, state, "ClosetViewController", plain)
        .outlet("screenBackground", &ClosetViewController::screenBackground)
        .outlet("itemButton", &ClosetViewController::itemButton);

    registerCareScreen<ClosetItemSelectedViewController>(registry, state, "ClosetItemSelectedViewController",
                                                         {.didLoad = {F::Refresh}, .willAppear = {F::HideBarAnimated}})
        .named({"wornPicture", "wornLine", "bowTiePicture", "hint"})
        .action("wearButtonPressed", &ClosetItemSelectedViewController::wearButtonPressed);

    // The first showing follows the load, so refreshing as it appears covers
    // both arrival and every return.
    registerCareScreen<GamesScreenViewController>(registry, state, "GamesScreenViewController",
                                                  {.willAppear = {F::HideBarAnimated, F::Refresh}})
        .outlet("screenBackground", &GamesScreenViewController::screenBackground)
        .outlet("itemWorn", &GamesScreenViewController::itemWorn)
        .outlet("playButton", &GamesScreenViewController::playButton);
}

} // namespace bc
