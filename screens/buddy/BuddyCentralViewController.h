#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The buddy's own screen: its mood by the blood-sugar band, the worn bow tie
// and the coins. It only reads the care state.
class BuddyCentralViewController : public CareScreen {
public:
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void didReceiveMemoryWarning() override;

    void updateUI();
    void checkBowTie(AppState& state);
    void setBackground();

    ImageView* screenBackground = nullptr;
    ImageView* itemWorn = nullptr;
    Button* backButton = nullptr;
};

} // namespace bc
