#include "screens/insulin/InsulinExerciseViewController.h"

namespace bc {

void InsulinExerciseViewController::viewDidLoad()
{
    CareScreen::viewDidLoad();
    stepper->setValue(1);
    updateUI();
}

void InsulinExerciseViewController::updateUI()
{
    stepper->setValue(cappedExerciseHours(stepper->value()));
    showCoins();
    showCount(hourLabel, stepper->value(), "hoursUnit", Counted::Hour);
    containerView->setHidden(!eSwitch->isOn());
}

void InsulinExerciseViewController::switchChanged(Control*) { updateUI(); }

void InsulinExerciseViewController::valueChanged(Control*) { updateUI(); }

void InsulinExerciseViewController::continueButtonPressed(Control*) { appState().setAboutToExercise(eSwitch->isOn()); }

void InsulinExerciseViewController::backButtonPressed(Control* sender)
{
    appState().setAboutToExercise(false);
    CareScreen::backButtonPressed(sender);
}

void InsulinExerciseViewController::homeButtonPressed(Control* sender)
{
    appState().setAboutToExercise(false);
    CareScreen::homeButtonPressed(sender);
}

} // namespace bc
