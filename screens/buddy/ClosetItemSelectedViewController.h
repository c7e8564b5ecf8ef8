#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The bow tie taken out of the closet, with the button that puts it on.
class ClosetItemSelectedViewController : public CareScreen {
public:
    // What the wear button adds to the worn list.
    static constexpr const char* kWornBowTie = "bowtie.jpg";

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void didReceiveMemoryWarning() override;

    void updateUI();
    void wearButtonPressed(Control* sender);
};

} // namespace bc
