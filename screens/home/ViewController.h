#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The home screen: the buddy, its reading and mood, and the coins. It is never
// taken off the stack.
class ViewController : public CareScreen {
public:
    // Gives the care state its starting values on the first read.
    AppState& appState() override;

    void updateUI() override;
    void cheat(Control* sender);

    Label* cgmReadingLabel = nullptr;
    ImageView* screenBackground = nullptr;
    Button* lowHelpButton = nullptr;
    ImageView* trendLabel = nullptr;

private:
    bool started_ = false;
    std::string greeting_;
};

void registerHomeScreens(Registry& registry, AppState& state);

} // namespace bc
