#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// A picture of how a day's readings go up and down. The care state keeps no
// history, so all but the coin label is layout; only the picture's axis
// follows the unit in use.
class TrendsViewController : public CareScreen {
public:
    void updateUI() override
    {
        showCoins();
        showPictureInUnits("chart", "trends.png", "trends-mmol.png");
    }
};

} // namespace bc
