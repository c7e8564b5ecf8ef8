#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// Turns the grams still to cover into units of insulin, stores them as the
// dose to give, and says why.
class InsulinSuggestionViewController : public CareScreen {
public:
    // Prepares a fresh dose on every appearance, also when coming back from delivery.
    void viewWillAppear(bool animated) override;

    float getSuggestedUnits() { return suggestedUnits(appState()); }
    void updateUI() override;

    Label* suggestedBolusLabel = nullptr;
    Label* reasonsLabel = nullptr;
    Label* lowWarningLabel = nullptr;

private:
    std::string dosePrompt_;
};

} // namespace bc
