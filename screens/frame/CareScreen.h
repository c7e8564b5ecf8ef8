#pragma once

#include "platform/ScreenController.h"
#include "state/AppState.h"

namespace bc {

// What every screen of the game shares: the way to the care state, the coin
// label, and back, home and cancel.
class CareScreen : public ScreenController {
public:
    // The care state, looked up anew through the bottom of this screen's stack.
    AppState& appState();

    // The coin balance, with no decimals.
    void showCoins();

    virtual void backButtonPressed(Control* sender);
    virtual void homeButtonPressed(Control* sender);
    virtual void cancelButtonPressed(Control* sender);

    Label* coinsLabel = nullptr;
};

// The worn-item overlay: shown only while something is owned and something is worn.
void checkBowTie(ImageView* itemWorn, AppState& state);

// The blood-sugar band: 70 and below, or 140 and above, is out of range.
bool readingOutOfRange(AppState& state);

} // namespace bc
