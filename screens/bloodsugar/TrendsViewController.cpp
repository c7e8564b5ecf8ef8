#include "screens/bloodsugar/TrendsViewController.h"

#include "platform/NavigationController.h"

namespace bc {

void TrendsViewController::viewDidLoad()
{
    CareScreen::viewDidLoad();
    navigationController()->setNavigationBarHidden(true);
    updateUI();
}

void TrendsViewController::viewWillAppear(bool animated)
{
    CareScreen::viewWillAppear(animated);
    navigationController()->setNavigationBarHidden(true, true);
}

void TrendsViewController::updateUI() { showCoins(); }

} // namespace bc
