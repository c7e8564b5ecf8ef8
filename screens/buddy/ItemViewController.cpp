#include "screens/buddy/ItemViewController.h"

#include "platform/NavigationController.h"

namespace bc {

void ItemViewController::viewDidLoad()
{
    CareScreen::viewDidLoad();
    navigationController()->setNavigationBarHidden(true);
    updateUI();
}

// No refresh here: a refusal stays on show until the shop is opened anew, and
// coming back from the closet finds the shop as it was left.
void ItemViewController::viewWillAppear(bool animated)
{
    CareScreen::viewWillAppear(animated);
    navigationController()->setNavigationBarHidden(true, true);
}

void ItemViewController::didReceiveMemoryWarning() { CareScreen::didReceiveMemoryWarning(); }

void ItemViewController::updateUI()
{
    setBackground();
    showCoins();
}

// Owning anything at all counts as bought; that alone keeps the bow tie from
// being sold twice.
void ItemViewController::setBackground()
{
    if (!appState().items().empty()) {
        screenBackground->setImage(imageNamed("boughtbowtie.jpg"));
        buyButton->setEnabled(false);
        closetButton->setEnabled(true);
    } else {
        screenBackground->setImage(imageNamed("buybowtie.jpg"));
        closetButton->setEnabled(false);
        buyButton->setEnabled(true);
    }
}

void ItemViewController::tryToBuy(Control*)
{
    if (appState().coins() >= kBowTiePrice) {
        appState().items().push_back("bowtie");
        appState().setCoins(appState().coins() - kBowTiePrice);
        setBackground();
    } else {
        screenBackground->setImage(imageNamed("cannotbuybowtie.jpg"));
        buyButton->setEnabled(false);
        closetButton->setEnabled(false);
    }
    showCoins();
}

} // namespace bc
