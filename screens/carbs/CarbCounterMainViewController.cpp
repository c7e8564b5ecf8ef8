#include "screens/carbs/CarbCounterMainViewController.h"

namespace bc {

void CarbCounterMainViewController::backButtonPressed(Control* sender)
{
    appState().setFromInsulinScreen(false);
    CareScreen::backButtonPressed(sender);
}

void CarbCounterMainViewController::homeButtonPressed(Control* sender)
{
    appState().setFromInsulinScreen(false);
    CareScreen::homeButtonPressed(sender);
}

} // namespace bc
