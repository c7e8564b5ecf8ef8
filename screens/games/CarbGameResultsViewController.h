#pragma once

#include "screens/frame/CareScreen.h"
#include "screens/games/CarbGameSession.h"

namespace bc {

// How the game went: how many were right, a word of praise whatever the
// score, the coins won; then another game or back to the games screen.
class CarbGameResultsViewController : public CareScreen {
public:
    void updateUI() override;
    // A new game on the game screen below, which shows it as it comes back.
    void playAgainPressed(Control*);
    void doneButtonPressed(Control*);

    void share(CarbGameSession& session) { session_ = &session; }

    Label* scoreLabel = nullptr;
    Label* praiseLabel = nullptr;
    Label* coinsWonLabel = nullptr;

private:
    CarbGameSession* session_ = nullptr;
};

} // namespace bc
