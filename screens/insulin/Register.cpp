#include "screens/insulin/Register.h"

#include "platform/Registry.h"
#include "screens/insulin/InsulinCompleteViewController.h"
#include "screens/insulin/InsulinExerciseViewController.h"
#include "screens/insulin/InsulinFoodViewController.h"
#include "screens/insulin/InsulinGivingViewController.h"
#include "screens/insulin/InsulinStoppedViewController.h"
#include "screens/insulin/InsulinSuggestionViewController.h"

namespace bc {

void registerInsulinScreens(Registry& registry)
{
    registry.screen<InsulinFoodViewController>("InsulinFoodViewController")
        .outlet("carbsLabel", &InsulinFoodViewController::carbsLabel)
        .outlet("yesSwitch", &InsulinFoodViewController::yesSwitch)
        .outlet("yesNoLabel", &InsulinFoodViewController::yesNoLabel)
        .outlet("carbCounterLabel", &InsulinFoodViewController::carbCounterLabel)
        .outlet("coinsLabel", &InsulinFoodViewController::coinsLabel)
        .action("changedSwitch", &InsulinFoodViewController::changedSwitch)
        .action("carbCounterButtonPressed", &InsulinFoodViewController::carbCounterButtonPressed)
        .action("continueButtonClicked", &InsulinFoodViewController::continueButtonClicked)
        .exit("cancelButtonPressed", &InsulinFoodViewController::cancelButtonPressed)
        .exit("backButtonPressed", &InsulinFoodViewController::backButtonPressed)
        .exit("homeButtonPressed", &InsulinFoodViewController::homeButtonPressed);

    registry.screen<InsulinExerciseViewController>("InsulinExerciseViewController")
        .outlet("eSwitch", &InsulinExerciseViewController::eSwitch)
        .outlet("stepper", &InsulinExerciseViewController::stepper)
        .outlet("hourLabel", &InsulinExerciseViewController::hourLabel)
        .outlet("containerView", &InsulinExerciseViewController::containerView)
        .outlet("coinsLabel", &InsulinExerciseViewController::coinsLabel)
        .action("switchChanged", &InsulinExerciseViewController::switchChanged)
        .action("valueChanged", &InsulinExerciseViewController::valueChanged)
        .action("continueButtonPressed", &InsulinExerciseViewController::continueButtonPressed)
        .exit("backButtonPressed", &InsulinExerciseViewController::backButtonPressed)
        .exit("homeButtonPressed", &InsulinExerciseViewController::homeButtonPressed)
        .exit("cancelButtonPressed", &InsulinExerciseViewController::cancelButtonPressed);

    registry.screen<InsulinSuggestionViewController>("InsulinSuggestionViewController")
        .outlet("coinsLabel", &InsulinSuggestionViewController::coinsLabel)
        .outlet("suggestedBolusLabel", &InsulinSuggestionViewController::suggestedBolusLabel)
        .outlet("reasonsLabel", &InsulinSuggestionViewController::reasonsLabel)
        .exit("homeButtonPressed", &InsulinSuggestionViewController::homeButtonPressed)
        .exit("cancelButtonPressed", &InsulinSuggestionViewController::cancelButtonPressed)
        .exit("backButtonPressed", &InsulinSuggestionViewController::backButtonPressed);

    registry.screen<InsulinGivingViewController>("InsulinGivingViewController")
        .outlet("coinsLabel", &InsulinGivingViewController::coinsLabel)
        .outlet("givingDoseLabel", &InsulinGivingViewController::givingDoseLabel)
        .outlet("doneButton", &InsulinGivingViewController::doneButton)
        .action("clearState", &InsulinGivingViewController::clearState)
        .exit("backButtonPressed", &InsulinGivingViewController::backButtonPressed)
        .exit("homeButtonPressed", &InsulinGivingViewController::homeButtonPressed);

    registry.screen<InsulinCompleteViewController>("InsulinCompleteViewController")
        .outlet("coinsLabel", &InsulinCompleteViewController::coinsLabel)
        .outlet("doseGivenLabel", &InsulinCompleteViewController::doseGivenLabel)
        .outlet("reasonsLabel", &InsulinCompleteViewController::reasonsLabel)
        .action("clearState", &InsulinCompleteViewController::clearState)
        .exit("backButtonPressed", &InsulinCompleteViewController::backButtonPressed)
        .exit("homeButtonPressed", &InsulinCompleteViewController::homeButtonPressed);

    registry.screen<InsulinStoppedViewController>("InsulinStoppedViewController")
        .outlet("coinsLabel", &InsulinStoppedViewController::coinsLabel)
        .outlet("partialDoseLabel", &InsulinStoppedViewController::partialDoseLabel)
        .exit("doneButtonPressed", &InsulinStoppedViewController::doneButtonPressed)
        .exit("backButtonPressed", &InsulinStoppedViewController::backButtonPressed)
        .exit("homeButtonPressed", &InsulinStoppedViewController::homeButtonPressed);
}

} // namespace bc
