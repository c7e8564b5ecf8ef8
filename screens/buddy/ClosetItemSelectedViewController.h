#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The bow tie taken out of the closet, with the button that puts it on.
class ClosetItemSelectedViewController : public CareScreen {
public:
    // Once on, the bow tie shows on the buddy right here, with a happy word,
    // as it will at home.
    void updateUI() override
    {
        showCoins();
        const bool worn = showsWornItem(appState());
        setNamedHidden({"wornPicture", "wornLine"}, !worn);
        setNamedHidden({"bowTiePicture", "hint"}, worn);
    }

    void wearButtonPressed(Control*)
    {
        wearBowTie(appState());
        play(Sound::Wear);
        noteCare(CareEvent::Dressed);
        updateUI();
    }
};

} // namespace bc
