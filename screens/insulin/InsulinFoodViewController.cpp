#include "screens/insulin/InsulinFoodViewController.h"

#include "platform/Console.h"
#include "platform/Format.h"
#include "platform/NavigationController.h"

namespace bc {

void InsulinFoodViewController::viewDidLoad()
{
    CareScreen::viewDidLoad();
    navigationController()->setNavigationBarHidden(true);
}

void InsulinFoodViewController::viewWillAppear(bool animated)
{
    CareScreen::viewWillAppear(animated);
    navigationController()->setNavigationBarHidden(true, true);
    updateUI();
}

void InsulinFoodViewController::didReceiveMemoryWarning() { CareScreen::didReceiveMemoryWarning(); }

void InsulinFoodViewController::updateUI()
{
    showCoins();
    carbsLabel->setText(
        stringWithFormat("Include the %.0f carbs you ate?", static_cast<double>(appState().carbsMostRecentMeal())));
    // With no meal left to cover there is nothing to ask; the switch keeps its
    // position all the same, and continue still reads it.
    carbsLabel->setHidden(appState().carbsMostRecentMeal() == 0);
    yesSwitch->setHidden(appState().carbsMostRecentMeal() == 0);
    yesNoLabel->setHidden(appState().carbsMostRecentMeal() == 0);
    // The wording matches the counter's one fixed portion. Once set it stays
    // for the life of this screen, even after the mark is lowered.
    if (appState().fromInsulinScreen()) {
        carbCounterLabel->setText("Including 50g of carbs you're eating");
    }
}

void InsulinFoodViewController::changedSwitch(Control*) { yesNoLabel->setText(yesSwitch->isOn() ? "Yes" : "No"); }

void InsulinFoodViewController::carbCounterButtonPressed(Control*) { appState().setFromInsulinScreen(true); }

void InsulinFoodViewController::continueButtonClicked(Control*)
{
    AppState& state = appState();
    state.setIncludeMostRecentMeal(yesSwitch->isOn());
    const bool fromCounter = state.fromInsulinScreen();
    const bool includeMeal = state.includeMostRecentMeal();
    if (includeMeal) {
        state.setCarbsNotAddressed(state.carbsMostRecentMeal() + state.carbsFromCounter());
    } else if (fromCounter) {
        state.setCarbsNotAddressed(state.carbsFromCounter());
    }
    // Neither the meal nor a counter visit from here: what was still to cover stays.
    state.setFromInsulinScreen(false);
    NSLog("%f", static_cast<double>(state.carbsNotAddressed()));
}

} // namespace bc
