#include "screens/insulin/InsulinSuggestionViewController.h"

#include "platform/Services.h"

namespace bc {

void InsulinSuggestionViewController::viewWillAppear(bool animated)
{
    prepareDose(appState());
    CareScreen::viewWillAppear(animated);
}

void InsulinSuggestionViewController::updateUI()
{
    showCoins();
    showCount(suggestedBolusLabel, appState().bolusTarget(), "doseUnit", Counted::Unit);
    reasonsLabel->setText(doseReasons(appState(), services().translator));
    // The dose stays as it is; while low, the buddy says first what comes before it.
    const bool low = isLow(appState());
    lowWarningLabel->setHidden(!low);
    if (dosePrompt_.empty()) {
        dosePrompt_ = spokenLine();
    }
    setSpokenLine(low ? lowWarningLabel->text() + " " + dosePrompt_ : dosePrompt_);
}

} // namespace bc
