#include "screens/bloodsugar/BloodSugarResultsViewController.h"

#include "platform/NavigationController.h"

namespace bc {

void BloodSugarResultsViewController::viewDidAppear(bool animated)
{
    CareScreen::viewDidAppear(animated);
    navigationController()->setNavigationBarHidden(true, true);
}

void BloodSugarResultsViewController::viewDidDisappear(bool animated)
{
    CareScreen::viewDidDisappear(animated);
    navigationController()->setNavigationBarHidden(false, true);
}

} // namespace bc
