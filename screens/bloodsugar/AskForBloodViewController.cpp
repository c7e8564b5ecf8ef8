#include "screens/bloodsugar/AskForBloodViewController.h"

#include "platform/NavigationController.h"

namespace bc {

void AskForBloodViewController::viewDidLoad()
{
    CareScreen::viewDidLoad();
    navigationController()->setNavigationBarHidden(true);
    updateUI();
}

void AskForBloodViewController::viewWillAppear(bool animated)
{
    CareScreen::viewWillAppear(animated);
    navigationController()->setNavigationBarHidden(true, true);
}

void AskForBloodViewController::updateUI() { showCoins(); }

} // namespace bc
