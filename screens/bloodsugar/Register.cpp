#include "screens/bloodsugar/Register.h"

#include "platform/Registry.h"
#include "screens/bloodsugar/AskForBloodViewController.h"
#include "screens/bloodsugar/BadResultsViewController.h"
#include "screens/bloodsugar/BloodSugarCheckInProgressViewController.h"
#include "screens/bloodsugar/BloodSugarCheckInstructionsViewController.h"
#include "screens/bloodsugar/BloodSugarResultsViewController.h"
#include "screens/bloodsugar/BloodSugarViewController.h"
#include "screens/bloodsugar/GoodResultsViewController.h"
#include "screens/bloodsugar/TrendsViewController.h"

namespace bc {

void registerBloodSugarScreens(Registry& registry)
{
    using BloodSugar = BloodSugarViewController;
    registry.screen<BloodSugar>("BloodSugarViewController")
        .outlet("coinsLabel", &BloodSugar::coinsLabel)
        .outlet("bloodSugarLabel", &BloodSugar::bloodSugarLabel)
        .outlet("screenBackground", &BloodSugar::screenBackground)
        .exit("backButtonPressed", &BloodSugar::backButtonPressed)
        .exit("homeButtonPressed", &BloodSugar::homeButtonPressed);

    // Layout only: its way out is a control of the interface description.
    registry.screen<BloodSugarCheckInstructionsViewController>("BloodSugarCheckInstructionsViewController");

    using AskForBlood = AskForBloodViewController;
    registry.screen<AskForBlood>("AskForBloodViewController")
        .outlet("coinsLabel", &AskForBlood::coinsLabel)
        .exit("backButtonPressed", &AskForBlood::backButtonPressed)
        .exit("homeButtonPressed", &AskForBlood::homeButtonPressed);

    using InProgress = BloodSugarCheckInProgressViewController;
    registry.screen<InProgress>("BloodSugarCheckInProgressViewController")
        .outlet("coinsLabel", &InProgress::coinsLabel)
        .action("goodButtonPressed", &InProgress::goodButtonPressed)
        .action("badButtonPressed", &InProgress::badButtonPressed)
        .exit("backButtonPressed", &InProgress::backButtonPressed)
        .exit("homeButtonPressed", &InProgress::homeButtonPressed);

    // Layout only, like the instructions.
    registry.screen<BloodSugarResultsViewController>("BloodSugarResultsViewController");

    using Good = GoodResultsViewController;
    registry.screen<Good>("GoodResultsViewController")
        .outlet("coinsLabel", &Good::coinsLabel)
        .outlet("bloodSugarLabel", &Good::bloodSugarLabel)
        .exit("backButtonPressed", &Good::backButtonPressed)
        .exit("homeButtonPressed", &Good::homeButtonPressed);

    using Bad = BadResultsViewController;
    registry.screen<Bad>("BadResultsViewController")
        .outlet("coinsLabel", &Bad::coinsLabel)
        .outlet("bloodSugarLabel", &Bad::bloodSugarLabel)
        .exit("backButtonPressed", &Bad::backButtonPressed)
        .exit("homeButtonPressed", &Bad::homeButtonPressed);

    registry.screen<TrendsViewController>("TrendsViewController")
        .outlet("coinsLabel", &TrendsViewController::coinsLabel)
        .exit("backButtonPressed", &TrendsViewController::backButtonPressed)
        .exit("homeButtonPressed", &TrendsViewController::homeButtonPressed);
}

} // namespace bc
