#include "screens/frame/CareScreen.h"

#include "platform/Format.h"
#include "platform/NavigationController.h"
#include "screens/home/ViewController.h"

namespace bc {

namespace {
constexpr float kHighReading = 140.0f;
constexpr float kLowReading = 70.0f;
} // namespace

AppState& CareScreen::appState()
{
    auto* home = static_cast<ViewController*>(navigationController()->viewControllers()[0]);
    return home->appState();
}

void CareScreen::showCoins() { coinsLabel->setText(stringWithFormat("%.0f", static_cast<double>(appState().coins()))); }

void CareScreen::backButtonPressed(Control*) { navigationController()->popViewControllerAnimated(true); }

void CareScreen::homeButtonPressed(Control*) { navigationController()->popToRootViewControllerAnimated(true); }

void CareScreen::cancelButtonPressed(Control*) { navigationController()->popViewControllerAnimated(true); }

void checkBowTie(ImageView* itemWorn, AppState& state)
{
    if (state.items().empty()) {
        itemWorn->setHidden(true);
        return;
    }
    itemWorn->setHidden(state.wearing().empty());
}

bool readingOutOfRange(AppState& state)
{
    if (state.bloodSugarLevel() >= kHighReading) {
        return true;
    }
    return state.bloodSugarLevel() <= kLowReading;
}

} // namespace bc
