#include "screens/bloodsugar/Register.h"

#include "screens/bloodsugar/AskForBloodViewController.h"
#include "screens/bloodsugar/BadResultsViewController.h"
#include "screens/bloodsugar/BloodSugarCheckInProgressViewController.h"
#include "screens/bloodsugar/BloodSugarCheckInstructionsViewController.h"
#include "screens/bloodsugar/BloodSugarResultsViewController.h"
#include "screens/bloodsugar/BloodSugarViewController.h"
#include "screens/bloodsugar/GoodResultsViewController.h"
#include "screens/bloodsugar/LowViewControllers.h"
#include "screens/bloodsugar/TrendsViewController.h"

namespace bc {

void registerBloodSugarScreens(Registry& registry, AppState& state)
{
    using F = FrameStep;
    const ScreenFrame plain{.didLoad = {F::HideBar, F::Refresh}, .willAppear = {F::HideBarAnimated}};
    // The two layout-only screens hand the stack's bar back as they go; their
    // way on is a control of the interface description.
    const ScreenFrame instructions{.willAppear = {F::HideBarAnimated},
                                   .willDisappear = {F::ShowBarAnimated},
                                   .coins = false,
                                   .exits = ScreenFrame::Exits::None};
    const ScreenFrame results{.didAppear = {F::HideBarAnimated},
                              .didDisappear = {F::ShowBarAnimated},
                              .coins = false,
                              .exits = ScreenFrame::Exits::None};

    using BloodSugar = BloodSugarViewController;
    registerCareScreen<BloodSugar>(registry, state, "BloodSugarViewController", plain)
        .outlet("bloodSugarLabel", &BloodSugar::bloodSugarLabel)
        .outlet("screenBackground", &BloodSugar::screenBackground)
        .named<Label>("readingUnit");
    registerCareScreen<BloodSugarCheckInstructionsViewController>(
        registry, state, "BloodSugarCheckInstructionsViewController", instructions);
    registerCareScreen<AskForBloodViewController>(registry, state, "AskForBloodViewController", plain);

    using InProgress = BloodSugarCheckInProgressViewController;
    registerCareScreen<InProgress>(registry, state, "BloodSugarCheckInProgressViewController",
                                   {.didLoad = {F::HideBar, F::Refresh}, .willAppear = {F::HideBar}})
        .action("goodButtonPressed", &InProgress::goodButtonPressed)
        .action("badButtonPressed", &InProgress::badButtonPressed)
        .action("lowCheckPressed", &InProgress::lowCheckPressed);

    registerCareScreen<BloodSugarResultsViewController>(registry, state, "BloodSugarResultsViewController", results)
        .named<ImageView>("band")
        .named<Label>("low")
        .named<Label>("inRange")
        .named<Label>("high");
    registerCareScreen<GoodResultsViewController>(registry, state, "GoodResultsViewController",
                                                  {.didLoad = {F::HideBar}, .willAppear = {F::HideBarAnimated}})
        .outlet("bloodSugarLabel", &GoodResultsViewController::bloodSugarLabel)
        .named<Label>("readingUnit");
    registerCareScreen<BadResultsViewController>(registry, state, "BadResultsViewController", plain)
        .outlet("bloodSugarLabel", &BadResultsViewController::bloodSugarLabel)
        .named<Label>("readingUnit");
    registerCareScreen<TrendsViewController>(registry, state, "TrendsViewController", plain)
        .named<ImageView>("chart");

    registerCareScreen<LowResultsViewController>(registry, state, "LowResultsViewController", plain)
        .outlet("bloodSugarLabel", &LowResultsViewController::bloodSugarLabel)
        .action("toldGrownUpPressed", &LowResultsViewController::toldGrownUpPressed);
    registerCareScreen<TreatLowViewController>(registry, state, "TreatLowViewController", plain)
        .outlet("notFastSugarLabel", &TreatLowViewController::notFastSugarLabel)
        .action("fastSugarPressed", &TreatLowViewController::fastSugarPressed)
        .action("notFastSugarPressed", &TreatLowViewController::notFastSugarPressed);
    registerCareScreen<LowWaitViewController>(registry, state, "LowWaitViewController", plain)
        .outlet("checkAgainButton", &LowWaitViewController::checkAgainButton)
        .action("checkAgainPressed", &LowWaitViewController::checkAgainPressed);
    registerCareScreen<LowRecheckViewController>(registry, state, "LowRecheckViewController",
                                                 {.didLoad = {F::HideBar}, .willAppear = {F::HideBarAnimated}})
        .outlet("bloodSugarLabel", &LowRecheckViewController::bloodSugarLabel)
        .outlet("recheckLabel", &LowRecheckViewController::recheckLabel)
        .outlet("doneButton", &LowRecheckViewController::doneButton)
        .action("doneButtonPressed", &LowRecheckViewController::doneButtonPressed);
}

} // namespace bc
