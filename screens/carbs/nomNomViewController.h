#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The buddy at the table. It shows the coins and the worn bow tie and records
// nothing: the carbs of a meal are counted in the carb counter.
class nomNomViewController : public CareScreen {
public:
    void updateUI() override
    {
        showCoins();
        checkBowTie(appState());
    }
};

} // namespace bc
