#pragma once

#include "screens/frame/CareScreen.h"

#include <memory>

namespace bc {

class Registry;

// The home screen: the buddy, its reading and mood, and the coins. It owns the
// care state for the whole run and is never taken off the stack.
class ViewController : public CareScreen {
public:
    // Made with its starting values on first read.
    AppState& appState();

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void didReceiveMemoryWarning() override;

    void updateUI();
    void cheat(Control* sender);
    void checkBowTie(AppState& state);

    Label* cgmReadingLabel = nullptr;
    ImageView* itemWorn = nullptr;
    ImageView* screenBackground = nullptr;

private:
    std::unique_ptr<AppState> appState_;
};

void registerHomeScreens(Registry& registry);

} // namespace bc
