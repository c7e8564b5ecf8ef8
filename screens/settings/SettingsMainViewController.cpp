#include "screens/settings/SettingsMainViewController.h"

#include "platform/Console.h"
#include "platform/Format.h"
#include "platform/Services.h"

#include <initializer_list>

namespace bc {

void SettingsMainViewController::viewWillAppear(bool animated)
{
    CareScreen::viewWillAppear(animated);
    carbStepper->setValue(static_cast<double>(appState().carbRatio()));
    basalRateStepper->setValue(static_cast<double>(appState().basalRate()));
    lowGramsStepper->setValue(static_cast<double>(appState().lowGrams()));
    updateUI();
}

// The lock button's title is left alone here: it only changes when pressed.
void SettingsMainViewController::updateUI()
{
    showCoins();
    carbLabel->setText(stringWithFormat("%.0f", carbStepper->value()));
    basalLabel->setText(stringWithFormat("%.1f", basalUnitsPerHour(basalRateStepper->value())));
    basalRateStepper->accessibilityValue = basalLabel->text();
    lowGramsLabel->setText(stringWithFormat("%.0f g", lowGramsStepper->value()));
    lowGramsStepper->accessibilityValue = lowGramsLabel->text();
    const Preferences& preferences = appState().preferences();
    unitsLabel->setText(unitName(preferences.units));
    unitsSwitch->setOn(preferences.units == GlucoseUnit::MmolPerL);
    readToMeSwitch->setOn(preferences.readToMe);
    soundSwitch->setOn(preferences.sound);
    rememberSwitch->setOn(preferences.remember);
    // The grown-ups' controls hide together while the settings are locked.
    const bool locked = appState().settingsLocked();
    lockNote->setText(services().translator.translate(settingsNote(locked)));
    for (Control* control : std::initializer_list<Control*>{basalRateStepper, carbStepper, unitsSwitch, readToMeSwitch, soundSwitch,
                                                                     lowGramsStepper, rememberSwitch, rememberCaption}) {
        control->setHidden(locked);
    }
    setNamedHidden({"practiceButton"}, locked);
}

void SettingsMainViewController::carbRatioButtonChanged(Control*)
{
    appState().setCarbRatio(static_cast<float>(carbStepper->value()));
    updateUI();
}

// The two console lines let a grown-up see the raw stepper value next to what
// was stored, both in tenths.
void SettingsMainViewController::basalRateChanged(Control*)
{
    NSLog("%.1f", basalRateStepper->value());
    appState().setBasalRate(static_cast<float>(basalRateStepper->value()));
    NSLog("%.1f", static_cast<double>(appState().basalRate()));
    updateUI();
}

void SettingsMainViewController::lockPressed(Control*)
{
    lockButton->setTitle(services().translator.translate(toggleSettingsLock(appState())));
    updateUI();
}

void SettingsMainViewController::unitsChanged(Control*)
{
    appState().preferences().units = unitsSwitch->isOn() ? GlucoseUnit::MmolPerL : GlucoseUnit::MgPerDl;
    updateUI();
}

void SettingsMainViewController::readToMeChanged(Control*)
{
    appState().preferences().readToMe = readToMeSwitch->isOn();
    updateUI();
}

void SettingsMainViewController::soundChanged(Control*)
{
    appState().preferences().sound = soundSwitch->isOn();
    updateUI();
}

void SettingsMainViewController::lowGramsChanged(Control*)
{
    appState().setLowGrams(planLowGrams(lowGramsStepper->value()));
    updateUI();
}

// Only a flag here: the application keeps or forgets the progress once the input is handled.
void SettingsMainViewController::rememberChanged(Control*)
{
    appState().preferences().remember = rememberSwitch->isOn();
    updateUI();
}

void registerSettingsScreens(Registry& registry, AppState& state)
{
    using Settings = SettingsMainViewController;
    registerCareScreen<Settings>(registry, state, "SettingsMainViewController",
                                 {.willAppear = {FrameStep::HideBar}})
        .outlet("carbStepper", &Settings::carbStepper)
        .outlet("basalRateStepper", &Settings::basalRateStepper)
        .outlet("carbLabel", &Settings::carbLabel)
        .outlet("basalLabel", &Settings::basalLabel)
        .outlet("lockButton", &Settings::lockButton)
        .outlet("unitsLabel", &Settings::unitsLabel)
        .outlet("unitsSwitch", &Settings::unitsSwitch)
        .outlet("lockNote", &Settings::lockNote)
        .outlet("readToMeSwitch", &Settings::readToMeSwitch)
        .outlet("soundSwitch", &Settings::soundSwitch)
        .outlet("lowGramsStepper", &Settings::lowGramsStepper)
        .outlet("lowGramsLabel", &Settings::lowGramsLabel)
        .outlet("rememberSwitch", &Settings::rememberSwitch)
        .outlet("rememberCaption", &Settings::rememberCaption)
        .named<Button>("practiceButton")
        .action("carbRatioButtonChanged", &Settings::carbRatioButtonChanged)
        .action("basalRateChanged", &Settings::basalRateChanged)
        .action("lockPressed", &Settings::lockPressed)
        .action("unitsChanged", &Settings::unitsChanged)
        .action("readToMeChanged", &Settings::readToMeChanged)
        .action("soundChanged", &Settings::soundChanged)
        .action("lowGramsChanged", &Settings::lowGramsChanged)
        .action("rememberChanged", &Settings::rememberChanged);
}

} // namespace bc
