#include "screens/bloodsugar/BloodSugarViewController.h"

#include "platform/Format.h"
#include "platform/NavigationController.h"

namespace bc {

void BloodSugarViewController::viewDidLoad()
{
    CareScreen::viewDidLoad();
    navigationController()->setNavigationBarHidden(true);
    updateUI();
}

void BloodSugarViewController::viewWillAppear(bool animated)
{
    CareScreen::viewWillAppear(animated);
    navigationController()->setNavigationBarHidden(true, true);
}

void BloodSugarViewController::updateUI()
{
    AppState& state = appState();
    coinsLabel->setText(stringWithFormat("%.0f", static_cast<double>(state.coins())));
    bloodSugarLabel->setText(stringWithFormat("%.0f", static_cast<double>(state.bloodSugarLevel())));
    screenBackground->setImage(imageNamed(readingOutOfRange(state) ? "checkred.jpg" : "checkgreen.jpg"));
}

} // namespace bc
