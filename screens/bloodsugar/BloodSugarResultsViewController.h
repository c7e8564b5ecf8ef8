#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// What a reading means: low, in range, high. Everything it shows and says is
// its layout, with the band's limits in the unit in use. The stack's own bar
// comes back once it has left.
class BloodSugarResultsViewController : public CareScreen {
public:
    void viewDidLoad() override
    {
        CareScreen::viewDidLoad();
        showPictureInUnits("band", "band.png", "band-mmol.png");
        showBandCaptions({"low", "inRange", "high"});
        setSpokenLine(bandCaption(spokenLine(), appState().preferences().units));
    }
};

} // namespace bc
