#include "screens/buddy/Register.h"

#include "platform/Registry.h"
#include "screens/buddy/BuddyCentralViewController.h"
#include "screens/buddy/ClosetItemSelectedViewController.h"
#include "screens/buddy/ClosetViewController.h"
#include "screens/buddy/GamesScreenViewController.h"
#include "screens/buddy/ItemViewController.h"

namespace bc {

void registerBuddyScreens(Registry& registry)
{
    registry.screen<BuddyCentralViewController>("BuddyCentralViewController")
        .outlet("screenBackground", &BuddyCentralViewController::screenBackground)
        .outlet("itemWorn", &BuddyCentralViewController::itemWorn)
        .outlet("coinsLabel", &BuddyCentralViewController::coinsLabel)
        .outlet("backButton", &BuddyCentralViewController::backButton)
        .exit("backButtonPressed", &BuddyCentralViewController::backButtonPressed)
        .exit("homeButtonPressed", &BuddyCentralViewController::homeButtonPressed);

    registry.screen<ItemViewController>("ItemViewController")
        .outlet("screenBackground", &ItemViewController::screenBackground)
        .outlet("buyButton", &ItemViewController::buyButton)
        .outlet("closetButton", &ItemViewController::closetButton)
        .outlet("coinsLabel", &ItemViewController::coinsLabel)
        .action("tryToBuy", &ItemViewController::tryToBuy)
        .exit("backButtonPressed", &ItemViewController::backButtonPressed)
        .exit("homeButtonPressed", &ItemViewController::homeButtonPressed);

    registry.screen<ClosetViewController>("ClosetViewController")
        .outlet("screenBackground", &ClosetViewController::screenBackground)
        .outlet("itemButton", &ClosetViewController::itemButton)
        .outlet("coinsLabel", &ClosetViewController::coinsLabel)
        .exit("backButtonPressed", &ClosetViewController::backButtonPressed)
        .exit("homeButtonPressed", &ClosetViewController::homeButtonPressed);

    registry.screen<ClosetItemSelectedViewController>("ClosetItemSelectedViewController")
        .outlet("coinsLabel", &ClosetItemSelectedViewController::coinsLabel)
        .action("wearButtonPressed", &ClosetItemSelectedViewController::wearButtonPressed)
        .exit("backButtonPressed", &ClosetItemSelectedViewController::backButtonPressed)
        .exit("homeButtonPressed", &ClosetItemSelectedViewController::homeButtonPressed);

    registry.screen<GamesScreenViewController>("GamesScreenViewController")
        .outlet("screenBackground", &GamesScreenViewController::screenBackground)
        .outlet("itemWorn", &GamesScreenViewController::itemWorn)
        .outlet("coinsLabel", &GamesScreenViewController::coinsLabel)
        .exit("backButtonPressed", &GamesScreenViewController::backButtonPressed)
        .exit("homeButtonPressed", &GamesScreenViewController::homeButtonPressed);
}

} // namespace bc
