#include "screens/insulin/InsulinExerciseViewController.h"

#include "platform/Format.h"
#include "platform/NavigationController.h"

namespace bc {

namespace {
constexpr double kFirstHours = 1;
constexpr double kMostHours = 4;
} // namespace

void InsulinExerciseViewController::viewDidLoad()
{
    CareScreen::viewDidLoad();
    navigationController()->setNavigationBarHidden(true);
    stepper->setValue(kFirstHours);
    updateUI();
}

void InsulinExerciseViewController::viewWillAppear(bool animated)
{
    CareScreen::viewWillAppear(animated);
    navigationController()->setNavigationBarHidden(true, true);
}

void InsulinExerciseViewController::didReceiveMemoryWarning() { CareScreen::didReceiveMemoryWarning(); }

void InsulinExerciseViewController::updateUI()
{
    // Whatever the stepper itself would allow, more than four hours is not offered.
    if (stepper->value() > kMostHours) {
        stepper->setValue(kMostHours);
    }
    showCoins();
    hourLabel->setText(stringWithFormat("%.0f", stepper->value()));
    containerView->setHidden(!eSwitch->isOn());
}

void InsulinExerciseViewController::switchChanged(Control*) { updateUI(); }

void InsulinExerciseViewController::valueChanged(Control*) { updateUI(); }

void InsulinExerciseViewController::continueButtonPressed(Control*) { appState().setAboutToExercise(eSwitch->isOn()); }

void InsulinExerciseViewController::backButtonPressed(Control*)
{
    appState().setAboutToExercise(false);
    navigationController()->popViewControllerAnimated(true);
}

void InsulinExerciseViewController::homeButtonPressed(Control*)
{
    appState().setAboutToExercise(false);
    navigationController()->popToRootViewControllerAnimated(true);
}

} // namespace bc
