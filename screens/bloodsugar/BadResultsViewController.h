#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The end of a bad check: the new reading, and nothing changed besides it.
class BadResultsViewController : public CareScreen {
public:
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    void updateUI();

    Label* bloodSugarLabel = nullptr;
};

} // namespace bc
