#include "screens/home/ViewController.h"

#include "platform/Format.h"
#include "platform/NavigationController.h"
#include "platform/Registry.h"

namespace bc {

namespace {
constexpr float kCheatCoins = 50.0f;
}

AppState& ViewController::appState()
{
    if (!appState_) {
        appState_ = std::make_unique<AppState>();
        appState_->setIncludeMostRecentMeal(true);
        appState_->setCarbsMostRecentMeal(25);
        appState_->setCarbsNotAddressed(25);
        appState_->setBasalRate(15);
        appState_->setCarbRatio(15);
        appState_->setSettingsLocked(true);
    }
    return *appState_;
}

void ViewController::viewDidLoad()
{
    CareScreen::viewDidLoad();
    updateUI();
}

void ViewController::viewWillAppear(bool animated)
{
    CareScreen::viewWillAppear(animated);
    updateUI();
    navigationController()->setNavigationBarHidden(true, true);
}

void ViewController::viewDidAppear(bool animated)
{
    CareScreen::viewDidAppear(animated);
    navigationController()->setNavigationBarHidden(true, true);
}

void ViewController::didReceiveMemoryWarning() { CareScreen::didReceiveMemoryWarning(); }

void ViewController::updateUI()
{
    AppState& state = appState();
    cgmReadingLabel->setText(stringWithFormat("%.1f", static_cast<double>(state.bloodSugarLevel())));
    showCoins();
    checkBowTie(state);
    screenBackground->setImage(imageNamed(readingOutOfRange(state) ? "sadhomescreen.jpg" : "homescreen.jpg"));
}

void ViewController::cheat(Control*)
{
    appState().setCoins(appState().coins() + kCheatCoins);
    updateUI();
}

void ViewController::checkBowTie(AppState& state) { bc::checkBowTie(itemWorn, state); }

void registerHomeScreens(Registry& registry)
{
    registry.screen<ViewController>("ViewController")
        .outlet("cgmReadingLabel", &ViewController::cgmReadingLabel)
        .outlet("coinsLabel", &ViewController::coinsLabel)
        .outlet("itemWorn", &ViewController::itemWorn)
        .outlet("screenBackground", &ViewController::screenBackground)
        .action("cheat", &ViewController::cheat);
}

} // namespace bc
