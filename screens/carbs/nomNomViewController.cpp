#include "screens/carbs/nomNomViewController.h"

#include "platform/NavigationController.h"

namespace bc {

void nomNomViewController::viewDidLoad() { CareScreen::viewDidLoad(); }

// The first showing follows the load, so this covers arrival and every return.
void nomNomViewController::viewWillAppear(bool animated)
{
    CareScreen::viewWillAppear(animated);
    navigationController()->setNavigationBarHidden(true, true);
    updateUI();
}

void nomNomViewController::didReceiveMemoryWarning() { CareScreen::didReceiveMemoryWarning(); }

void nomNomViewController::updateUI()
{
    showCoins();
    checkBowTie(appState());
}

void nomNomViewController::checkBowTie(AppState& state) { bc::checkBowTie(itemWorn, state); }

} // namespace bc
