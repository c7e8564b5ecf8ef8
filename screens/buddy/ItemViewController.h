#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The shop: the bow tie for sale, bought, or refused for want of coins.
class ItemViewController : public CareScreen {
public:
    // Both what a purchase needs and what it takes.
    static constexpr float kBowTiePrice = 200.0f;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void didReceiveMemoryWarning() override;

    void updateUI();
    void setBackground();
    void tryToBuy(Control* sender);

    ImageView* screenBackground = nullptr;
    Button* buyButton = nullptr;
    Button* closetButton = nullptr;
};

} // namespace bc
