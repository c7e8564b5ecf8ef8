#include "screens/buddy/ItemViewController.h"

#include "platform/Format.h"
#include "state/Translator.h"

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
        showCoinsNeeded();
    }
    showCoins();
}

// A refusal says why in words as well as in the picture: how many coins to earn first.
void ItemViewController::showCoinsNeeded()
{
    auto* line = dynamic_cast<Label*>(controlNamed("coinsNeededLabel"));
    if (line == nullptr) {
        return;
    }
    const std::string needed = stringWithFormat("%.0f", static_cast<double>(coinsStillNeeded(appState())));
    line->setText(fill(services().translator.translatePlural("You need %s more coin", "You need %s more coins",
                                                             countOf(needed)),
                       needed));
    setNamedHidden({"coinsNeededCard"}, false);
}

} // namespace bc
