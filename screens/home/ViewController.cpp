#include "screens/home/ViewController.h"

namespace bc {

AppState& ViewController::appState()
{
    if (!started_) {
        started_ = true;
        applyStartingValues(CareScreen::appState());
    }
    return CareScreen::appState();
}

void ViewController::updateUI()
{
    AppState& state = appState();
    showReading(cgmReadingLabel, 1);
    showCoins();
    checkBowTie(state);
    showMood(screenBackground, "homescreen.jpg", "sadhomescreen.jpg");
}

void ViewController::cheat(Control*)
{
    appState().addCoins(kCheatCoins);
    play(Sound::Coin);
    updateUI();
}

void registerHomeScreens(Registry& registry, AppState& state)
{
    using F = FrameStep;
    registerCareScreen<ViewController>(registry, state, "ViewController",
                                       {.didLoad = {F::Refresh},
                                        .willAppear = {F::Refresh, F::HideBarAnimated},
                                        .didAppear = {F::HideBarAnimated},
                                        .exits = ScreenFrame::Exits::None})
        .outlet("cgmReadingLabel", &ViewController::cgmReadingLabel)
        .outlet("itemWorn", &ViewController::itemWorn)
        .outlet("screenBackground", &ViewController::screenBackground)
        .named<Label>("readingUnit")
        .action("cheat", &ViewController::cheat);
}

} // namespace bc
