#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// Turns the grams still to cover into units of insulin, stores them as the
// dose to give, and says why.
class InsulinSuggestionViewController : public CareScreen {
public:
    void viewDidLoad() override;
    // Prepares a fresh dose on every appearance, also when coming back from delivery.
    void viewWillAppear(bool animated) override;
    void didReceiveMemoryWarning() override;

    // Grams still to cover over a fixed 15 grams per unit; the carb-ratio
    // setting is not part of it, and exercise only adds a reason.
    float getSuggestedUnits();
    void updateUI();

    Label* suggestedBolusLabel = nullptr;
    Label* reasonsLabel = nullptr;
};

} // namespace bc
