#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The closet: stocked once anything is owned, empty before. Nothing reachable
// from here adds to what is owned, so there is nothing to re-read on a return.
class ClosetViewController : public CareScreen {
public:
    void updateUI() override
    {
        setBackgroundImage();
        showCoins();
    }
    // The item button stays in sight when the closet is empty, greyed out, so
    // the child knows there is something to come back for.
    void setBackgroundImage()
    {
        const bool stocked = ownsBowTie(appState());
        screenBackground->setImage(Picture::imageNamed(stocked ? "closet.jpg" : "emptycloset.jpg"));
        itemButton->setEnabled(stocked);
    }

    ImageView* screenBackground = nullptr;
    Button* itemButton = nullptr;
};

} // namespace bc
