#include "screens/buddy/ClosetViewController.h"

#include "platform/NavigationController.h"

namespace bc {

void ClosetViewController::viewDidLoad()
{
    CareScreen::viewDidLoad();
    navigationController()->setNavigationBarHidden(true);
    updateUI();
}

// Nothing reachable from here adds to what is owned, so there is nothing to
// re-read on a return.
void ClosetViewController::viewWillAppear(bool animated)
{
    CareScreen::viewWillAppear(animated);
    navigationController()->setNavigationBarHidden(true, true);
}

void ClosetViewController::didReceiveMemoryWarning() { CareScreen::didReceiveMemoryWarning(); }

void ClosetViewController::updateUI()
{
    setBackgroundImage();
    showCoins();
}

// The item button stays in sight when the closet is empty, greyed out, so the
// child knows there is something to come back for.
void ClosetViewController::setBackgroundImage()
{
    if (!appState().items().empty()) {
        screenBackground->setImage(imageNamed("closet.jpg"));
        itemButton->setEnabled(true);
    } else {
        screenBackground->setImage(imageNamed("emptycloset.jpg"));
        itemButton->setEnabled(false);
    }
}

} // namespace bc
