#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The end of a good check: the new reading and the reward. Each arrival is a
// new screen, so each one pays; coming back to it by back pays nothing more.
class GoodResultsViewController : public CareScreen {
public:
    // Paid before the first refresh, so the label already counts the reward.
    void viewDidLoad() override
    {
        CareScreen::viewDidLoad();
        addCoins();
        noteCare(CareEvent::GoodCheck);
        updateUI();
    }

    void addCoins()
    {
        appState().addCoins(kGoodCheckReward);
        play(Sound::Coin);
    }
    void updateUI() override
    {
        showCoins();
        showReading(bloodSugarLabel, 1);
    }

    Label* bloodSugarLabel = nullptr;
};

} // namespace bc
