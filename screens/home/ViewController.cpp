#include "screens/home/ViewController.h"

#include "platform/Services.h"

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
    // While low, help comes first: the button to treat it, and the buddy says so on arrival.
    const bool low = isLow(state);
    lowHelpButton->setHidden(!low);
    if (greeting_.empty()) {
        greeting_ = spokenLine();
    }
    const Translator& words = services().translator;
    setSpokenLine(low ? words.translate("I feel low. Tell a grown-up!") + " " + greeting_ : greeting_);
    const Trend way = trend(state);
    trendLabel->setHidden(way == Trend::None);
    if (way != Trend::None) {
        trendLabel->setImage(imageNamed(way == Trend::Up ? "trend-up.png" : way == Trend::Down ? "trend-down.png"
                                                                                                : "trend-steady.png"));
        trendLabel->accessibilityLabel = words.translate(trendWords(way));
    }
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
        .outlet("lowHelpButton", &ViewController::lowHelpButton)
        .outlet("trendLabel", &ViewController::trendLabel)
        .named<Label>("readingUnit")
        .action("cheat", &ViewController::cheat);
}

} // namespace bc
