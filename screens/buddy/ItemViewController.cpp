#include "screens/buddy/ItemViewController.h"

namespace bc {

void ItemViewController::setBackground()
{
    const bool bought = ownsBowTie(appState());
    screenBackground->setImage(imageNamed(bought ? "boughtbowtie.jpg" : "buybowtie.jpg"));
    buyButton->setEnabled(!bought);
    closetButton->setEnabled(bought);
}

void ItemViewController::tryToBuy(Control*)
{
    if (tryToBuyBowTie(appState())) {
        play(Sound::Buy);
        setBackground();
    } else {
        play(Sound::Refused);
        screenBackground->setImage(imageNamed("cannotbuybowtie.jpg"));
        buyButton->setEnabled(false);
        closetButton->setEnabled(false);
    }
    showCoins();
}

} // namespace bc
