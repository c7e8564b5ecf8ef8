#include "screens/bloodsugar/BloodSugarCheckInProgressViewController.h"

#include "platform/NavigationController.h"
#include "platform/Random.h"

namespace bc {

namespace {
constexpr double kGoodReadingBase = 70.0;
constexpr double kBadReadingBase = 120.0;
// Thirty whole steps above the base: good reads 70..99, bad 120..149.
constexpr std::uint32_t kReadingSpread = 30;

void storeReading(AppState& state, double base)
{
    const double reading = base + randomUniform(kReadingSpread);
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

void BloodSugarCheckInProgressViewController::goodButtonPressed(Control*) { storeReading(appState(), kGoodReadingBase); }

void BloodSugarCheckInProgressViewController::badButtonPressed(Control*) { storeReading(appState(), kBadReadingBase); }

} // namespace bc
