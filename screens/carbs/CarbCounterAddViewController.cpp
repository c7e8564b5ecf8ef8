#include "screens/carbs/CarbCounterAddViewController.h"

namespace bc {

void CarbCounterAddViewController::homeButtonPressed(Control* sender)
{
    appState().setFromInsulinScreen(false);
    CareScreen::homeButtonPressed(sender);
}

} // namespace bc
