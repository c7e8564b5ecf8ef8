#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The shop: the bow tie for sale, bought, or refused for want of coins. No
// refresh on a return: a refusal stays on show until the shop is opened anew.
class ItemViewController : public CareScreen {
public:
    void updateUI() override
    {
        setBackground();
        showCoins();
    }
    void setBackground();
    void tryToBuy(Control* sender);

    ImageView* screenBackground = nullptr;
    Button* buyButton = nullptr;
    Button* closetButton = nullptr;

private:
    void showCoinsNeeded();
};

} // namespace bc
