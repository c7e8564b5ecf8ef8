#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The end of a good check: the new reading and the reward. Each arrival is a
// new screen, so each one pays; coming back to it by back pays nothing more.
class GoodResultsViewController : public CareScreen {
public:
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    void addCoins();
    void updateUI();

    Label* bloodSugarLabel = nullptr;
};

} // namespace bc
