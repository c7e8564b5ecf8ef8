#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The buddy's own screen: its mood by the blood-sugar band, the worn bow tie
// and the coins. It only reads the care state, and refreshes on every return
// so a reading changed on a screen above shows at once.
class BuddyCentralViewController : public CareScreen {
public:
    void updateUI() override
    {
        showCoins();
        checkBowTie(appState());
        setBackground();
    }
    void setBackground() { showMood(screenBackground, "happybudycentral.jpg", "sadbuddycentral.jpg"); }

    ImageView* screenBackground = nullptr;
    Button* backButton = nullptr;
};

} // namespace bc
