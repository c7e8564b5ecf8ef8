#include "screens/buddy/GamesScreenViewController.h"

#include "platform/NavigationController.h"

namespace bc {

void GamesScreenViewController::viewDidLoad() { CareScreen::viewDidLoad(); }

// The first showing follows the load, so refreshing here covers both arrival
// and every return.
void GamesScreenViewController::viewWillAppear(bool animated)
{
    CareScreen::viewWillAppear(animated);
    navigationController()->setNavigationBarHidden(true, true);
    updateUI();
}

void GamesScreenViewController::didReceiveMemoryWarning() { CareScreen::didReceiveMemoryWarning(); }

void GamesScreenViewController::updateUI()
{
    showCoins();
    setBackground();
    checkBowTie(appState());
}

void GamesScreenViewController::setBackground()
{
    screenBackground->setImage(imageNamed(readingOutOfRange(appState()) ? "sadgame.png" : "games.png"));
}

void GamesScreenViewController::checkBowTie(AppState& state) { bc::checkBowTie(itemWorn, state); }

} // namespace bc
