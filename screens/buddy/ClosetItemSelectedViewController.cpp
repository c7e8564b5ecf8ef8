#include "screens/buddy/ClosetItemSelectedViewController.h"

#include "platform/NavigationController.h"

namespace bc {

void ClosetItemSelectedViewController::viewDidLoad()
{
    CareScreen::viewDidLoad();
    updateUI();
}

void ClosetItemSelectedViewController::viewWillAppear(bool animated)
{
    CareScreen::viewWillAppear(animated);
    navigationController()->setNavigationBarHidden(true, true);
}

void ClosetItemSelectedViewController::didReceiveMemoryWarning() { CareScreen::didReceiveMemoryWarning(); }

void ClosetItemSelectedViewController::updateUI() { showCoins(); }

// Every press adds one more entry: only whether the list is empty matters to
// the overlay, so wearing twice looks the same as wearing once.
void ClosetItemSelectedViewController::wearButtonPressed(Control*)
{
    appState().wearing().push_back(kWornBowTie);
    updateUI();
}

} // namespace bc
