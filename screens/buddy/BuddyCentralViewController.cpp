#include "screens/buddy/BuddyCentralViewController.h"

#include "platform/NavigationController.h"

namespace bc {

void BuddyCentralViewController::viewDidLoad()
{
    CareScreen::viewDidLoad();
    navigationController()->setNavigationBarHidden(true);
    updateUI();
}

// Refreshes on every return, so a reading changed on a screen above shows at once.
void BuddyCentralViewController::viewWillAppear(bool animated)
{
    CareScreen::viewWillAppear(animated);
    updateUI();
    navigationController()->setNavigationBarHidden(true, false);
}

void BuddyCentralViewController::didReceiveMemoryWarning() { CareScreen::didReceiveMemoryWarning(); }

void BuddyCentralViewController::updateUI()
{
    showCoins();
    checkBowTie(appState());
    setBackground();
}

void BuddyCentralViewController::checkBowTie(AppState& state) { bc::checkBowTie(itemWorn, state); }

void BuddyCentralViewController::setBackground()
{
    screenBackground->setImage(
        imageNamed(readingOutOfRange(appState()) ? "sadbuddycentral.jpg" : "happybudycentral.jpg"));
}

} // namespace bc
