#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The bow tie taken out of the closet, with the button that puts it on.
class ClosetItemSelectedViewController : public CareScreen {
public:
    void wearButtonPressed(Control*)
    {
        wearBowTie(appState());
        play(Sound::Wear);
        updateUI();
    }
};

} // namespace bc
