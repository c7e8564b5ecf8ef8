#include "screens/bloodsugar/GoodResultsViewController.h"

#include "platform/Format.h"
#include "platform/NavigationController.h"

namespace bc {

namespace {
constexpr float kGoodCheckCoins = 5.0f;
}

void GoodResultsViewController::viewDidLoad()
{
    CareScreen::viewDidLoad();
    navigationController()->setNavigationBarHidden(true);
    // Paid before the first refresh, so the label already counts the reward.
    addCoins();
    updateUI();
}

void GoodResultsViewController::viewWillAppear(bool animated)
{
    CareScreen::viewWillAppear(animated);
    navigationController()->setNavigationBarHidden(true, true);
}

void GoodResultsViewController::addCoins()
{
    AppState& state = appState();
    state.setCoins(state.coins() + kGoodCheckCoins);
}

void GoodResultsViewController::updateUI()
{
    AppState& state = appState();
    coinsLabel->setText(stringWithFormat("%.0f", static_cast<double>(state.coins())));
    bloodSugarLabel->setText(stringWithFormat("%.1f", static_cast<double>(state.bloodSugarLevel())));
}

} // namespace bc
