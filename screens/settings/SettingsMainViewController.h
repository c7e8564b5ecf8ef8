#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The carb ratio, the basal rate and the unit readings are shown in, behind a
// one-press lock. While the screen is shown the steppers hold the working
// values and the labels follow them.
class SettingsMainViewController : public CareScreen {
public:
    // The steppers are reloaded on every appearance so they never hold a value
    // the care state has moved away from.
    void viewWillAppear(bool animated) override;

    void updateUI() override;
    void carbRatioButtonChanged(Control* sender);
    void basalRateChanged(Control* sender);
    void lockPressed(Control* sender);
    void unitsChanged(Control* sender);
    void readToMeChanged(Control* sender);
    void soundChanged(Control* sender);
    void lowGramsChanged(Control* sender);
    void rememberChanged(Control* sender);

    Stepper* carbStepper = nullptr;
    Stepper* basalRateStepper = nullptr;
    Label* carbLabel = nullptr;
    Label* basalLabel = nullptr;
    Button* lockButton = nullptr;
    Label* unitsLabel = nullptr;
    Label* lockNote = nullptr;
    Switch* unitsSwitch = nullptr;
    Switch* readToMeSwitch = nullptr;
    Switch* soundSwitch = nullptr;
    Stepper* lowGramsStepper = nullptr;
    Label* lowGramsLabel = nullptr;
    Switch* rememberSwitch = nullptr;
    Label* rememberCaption = nullptr;
};

void registerSettingsScreens(Registry& registry, AppState& state);

} // namespace bc
