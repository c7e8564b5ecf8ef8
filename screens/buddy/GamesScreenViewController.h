#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The games picture, sad while the reading is out of range, with the worn bow tie.
class GamesScreenViewController : public CareScreen {
public:
    void updateUI() override
    {
        showCoins();
        setBackground();
        checkBowTie(appState());
    }
    void setBackground() { showMood(screenBackground, "games.png", "sadgame.png"); }

    ImageView* screenBackground = nullptr;
    // Opens the carb game; its push is declared in the layout.
    Button* playButton = nullptr;
};

} // namespace bc
