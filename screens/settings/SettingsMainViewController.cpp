#include "screens/settings/SettingsMainViewController.h"

#include "platform/Console.h"
#include "platform/Format.h"
#include "platform/NavigationController.h"

namespace bc {

namespace {
// The basal rate is kept in tenths of a unit per hour.
constexpr double kBasalTenths = 10.0;
} // namespace

void SettingsMainViewController::viewDidLoad() { CareScreen::viewDidLoad(); }

// The steppers are reloaded on every appearance so they never hold a value the
// care state has moved away from.
void SettingsMainViewController::viewWillAppear(bool animated)
{
    CareScreen::viewWillAppear(animated);
    navigationController()->setNavigationBarHidden(true, false);
    carbStepper->setValue(static_cast<double>(appState().carbRatio()));
    basalRateStepper->setValue(static_cast<double>(appState().basalRate()));
    updateUI();
}

void SettingsMainViewController::didReceiveMemoryWarning() { CareScreen::didReceiveMemoryWarning(); }

// The lock button's title is left alone here: it only changes when pressed.
void SettingsMainViewController::updateUI()
{
    showCoins();
    carbLabel->setText(stringWithFormat("%.0f", carbStepper->value()));
    basalLabel->setText(stringWithFormat("%.1f", basalRateStepper->value() / kBasalTenths));
    basalRateStepper->setHidden(appState().settingsLocked());
    carbStepper->setHidden(appState().settingsLocked());
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

// The title names what the next press will do.
void SettingsMainViewController::lockPressed(Control*)
{
    const bool wasLocked = appState().settingsLocked();
    lockButton->setTitle(wasLocked ? "Lock" : "Unlock");
    appState().setSettingsLocked(!appState().settingsLocked());
    updateUI();
}

} // namespace bc
