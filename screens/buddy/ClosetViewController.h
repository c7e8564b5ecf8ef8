#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The closet: stocked once anything is owned, empty before.
class ClosetViewController : public CareScreen {
public:
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void didReceiveMemoryWarning() override;

    void updateUI();
    void setBackgroundImage();

    ImageView* screenBackground = nullptr;
    Button* itemButton = nullptr;
};

} // namespace bc
