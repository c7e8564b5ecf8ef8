#include "screens/bloodsugar/BloodSugarCheckInstructionsViewController.h"

#include "platform/NavigationController.h"

namespace bc {

void BloodSugarCheckInstructionsViewController::viewWillAppear(bool animated)
{
    CareScreen::viewWillAppear(animated);
    navigationController()->setNavigationBarHidden(true, true);
}

void BloodSugarCheckInstructionsViewController::viewWillDisappear(bool animated)
{
    CareScreen::viewWillDisappear(animated);
    navigationController()->setNavigationBarHidden(false, true);
}

} // namespace bc
