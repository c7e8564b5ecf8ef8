#include "screens/bloodsugar/BloodSugarCheckInProgressViewController.h"

#include "platform/NavigationController.h"

namespace bc {

namespace {
constexpr double kGoodReadingBase = 70.0;
constexpr double kBadReadingBase = 120.0;
// Thirty whole steps above the base: good reads 70..99, bad 120..149.
constexpr std::uint32_t kReadingSpread = 30;

void storeReading(AppState& state, double base, std::uint32_t drawn)
{
    const double reading = base + drawn;
    state.setBloodSugarLevel(static_cast<float>(reading));
}
} // namespace

void BloodSugarCheckInProgressViewController::viewDidLoad()
{
    CareScreen::viewDidLoad();
    navigationController()->setNavigationBarHidden(true);
    updateUI();
}

void BloodSugarCheckInProgressViewController::viewWillAppear(bool animated)
{
    CareScreen::viewWillAppear(animated);
    navigationController()->setNavigationBarHidden(true, false);
}

void BloodSugarCheckInProgressViewController::updateUI() { showCoins(); }

void BloodSugarCheckInProgressViewController::goodButtonPressed(Control*) { storeReading(appState(), kGoodReadingBase, randomUniform(kReadingSpread)); }

void BloodSugarCheckInProgressViewController::badButtonPressed(Control*) { storeReading(appState(), kBadReadingBase, randomUniform(kReadingSpread)); }

} // namespace bc
