#include "screens/insulin/Register.h"

#include "screens/insulin/InsulinCompleteViewController.h"
#include "screens/insulin/InsulinExerciseViewController.h"
#include "screens/insulin/InsulinFoodViewController.h"
#include "screens/insulin/InsulinGivingViewController.h"
#include "screens/insulin/InsulinStoppedViewController.h"
#include "screens/insulin/InsulinSuggestionViewController.h"

namespace bc {

void registerInsulinScreens(Registry& registry, AppState& state)
{
    using F = FrameStep;
    using Exits = ScreenFrame::Exits;
    const ScreenFrame::Steps loadHidden{F::HideBar};
    const ScreenFrame::Steps loadRefreshed{F::HideBar, F::Refresh};
    const ScreenFrame::Steps appear{F::HideBarAnimated};
    const ScreenFrame::Steps appearRefreshed{F::HideBarAnimated, F::Refresh};

    using Food = InsulinFoodViewController;
    registerCareScreen<Food>(registry, state, "InsulinFoodViewController",
                             {.didLoad = loadHidden, .willAppear = appearRefreshed, .exits = Exits::BackHomeCancel})
        .outlet("carbsLabel", &Food::carbsLabel)
        .outlet("yesSwitch", &Food::yesSwitch)
        .outlet("yesNoLabel", &Food::yesNoLabel)
        .outlet("carbCounterLabel", &Food::carbCounterLabel)
        .named({"mealNote"})
        .action("changedSwitch", &Food::changedSwitch)
        .action("carbCounterButtonPressed", &Food::carbCounterButtonPressed)
        .action("continueButtonClicked", &Food::continueButtonClicked);

    using Exercise = InsulinExerciseViewController;
    registerCareScreen<Exercise>(registry, state, "InsulinExerciseViewController",
                                 {.didLoad = loadHidden, .willAppear = appear, .exits = Exits::BackHomeCancel})
        .outlet("eSwitch", &Exercise::eSwitch)
        .outlet("stepper", &Exercise::stepper)
        .outlet("hourLabel", &Exercise::hourLabel)
        .outlet("containerView", &Exercise::containerView)
        .named<Label>("hoursUnit")
        .action("switchChanged", &Exercise::switchChanged)
        .action("valueChanged", &Exercise::valueChanged)
        .action("continueButtonPressed", &Exercise::continueButtonPressed);

    using Suggestion = InsulinSuggestionViewController;
    registerCareScreen<Suggestion>(
        registry, state, "InsulinSuggestionViewController",
        {.didLoad = loadRefreshed, .willAppear = appearRefreshed, .exits = Exits::BackHomeCancel})
        .outlet("suggestedBolusLabel", &Suggestion::suggestedBolusLabel)
        .outlet("reasonsLabel", &Suggestion::reasonsLabel)
        .outlet("lowWarningLabel", &Suggestion::lowWarningLabel)
        .named<Label>("doseUnit");

    using Giving = InsulinGivingViewController;
    registerCareScreen<Giving>(registry, state, "InsulinGivingViewController",
                               {.didLoad = loadRefreshed, .willAppear = appear})
        .outlet("givingDoseLabel", &Giving::givingDoseLabel)
        .outlet("doneButton", &Giving::doneButton)
        .named<Label>("doseUnit")
        .action("clearState", &Giving::clearState);

    using Complete = InsulinCompleteViewController;
    registerCareScreen<Complete>(registry, state, "InsulinCompleteViewController",
                                 {.didLoad = loadRefreshed, .willAppear = appear})
        .outlet("doseGivenLabel", &Complete::doseGivenLabel)
        .outlet("reasonsLabel", &Complete::reasonsLabel)
        .named<Label>("doseUnit")
        .action("clearState", &Complete::clearState);

    using Stopped = InsulinStoppedViewController;
    registerCareScreen<Stopped>(registry, state, "InsulinStoppedViewController",
                                {.didLoad = loadRefreshed, .willAppear = appearRefreshed})
        .outlet("partialDoseLabel", &Stopped::partialDoseLabel)
        .named<Label>("doseUnit")
        .exit("doneButtonPressed", &Stopped::doneButtonPressed);
}

} // namespace bc
