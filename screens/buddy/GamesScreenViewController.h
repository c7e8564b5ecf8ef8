#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The games picture, sad while the reading is out of range, with the worn bow tie.
class GamesScreenViewController : public CareScreen {
public:
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void didReceiveMemoryWarning() override;

    void updateUI();
    void setBackground();
    void checkBowTie(AppState& state);

    ImageView* screenBackground = nullptr;
    ImageView* itemWorn = nullptr;
};

} // namespace bc
