#include "screens/insulin/InsulinFoodViewController.h"

#include "platform/Console.h"
#include "platform/Format.h"
#include "platform/Services.h"

namespace bc {

void InsulinFoodViewController::updateUI()
{
    showCoins();
    const float meal = appState().carbsMostRecentMeal();
    const std::string grams = stringWithFormat("%.0f", static_cast<double>(meal));
    const Translator& words = services().translator;
    carbsLabel->setText(
        fill(words.translatePlural("Include the %s carb you ate?", "Include the %s carbs you ate?", countOf(grams)),
             grams));
    // With no meal left to cover there is nothing to ask; the switch keeps its
    // position all the same, and continue still reads it.
    for (Control* question : {static_cast<Control*>(carbsLabel), static_cast<Control*>(yesSwitch),
                              static_cast<Control*>(yesNoLabel)}) {
        question->setHidden(meal == 0);
    }
    setNamedHidden({"mealNote"}, meal == 0);
    // The wording matches the counter's one fixed portion, and says so only
    // while continue will count it.
    carbCounterLabel->setText(countedFoodIncluded(appState()) ? words.translate("Including 50g of carbs you're eating")
                                                              : words.translate("Eating now? Count the carbs."));
}

void InsulinFoodViewController::changedSwitch(Control*)
{
    const Translator& words = services().translator;
    yesNoLabel->setText(yesSwitch->isOn() ? words.translate("Yes") : words.translate("No"));
}

void InsulinFoodViewController::carbCounterButtonPressed(Control*) { appState().setFromInsulinScreen(true); }

void InsulinFoodViewController::continueButtonClicked(Control*)
{
    settleMeal(appState(), yesSwitch->isOn());
    NSLog("%f", static_cast<double>(appState().carbsNotAddressed()));
}

} // namespace bc
