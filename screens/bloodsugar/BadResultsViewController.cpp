#include "screens/bloodsugar/BadResultsViewController.h"

#include "platform/Format.h"
#include "platform/NavigationController.h"

namespace bc {

void BadResultsViewController::viewDidLoad()
{
    CareScreen::viewDidLoad();
    navigationController()->setNavigationBarHidden(true);
    updateUI();
}

void BadResultsViewController::viewWillAppear(bool animated)
{
    CareScreen::viewWillAppear(animated);
    navigationController()->setNavigationBarHidden(true, true);
}

void BadResultsViewController::updateUI()
{
    AppState& state = appState();
    coinsLabel->setText(stringWithFormat("%.0f", static_cast<double>(state.coins())));
    bloodSugarLabel->setText(stringWithFormat("%.1f", static_cast<double>(state.bloodSugarLevel())));
}

} // namespace bc
