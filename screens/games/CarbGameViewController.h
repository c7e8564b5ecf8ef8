#pragma once

#include "screens/frame/CareScreen.h"
#include "screens/games/CarbGameSession.h"

#include <cstdint>

namespace bc {

// The carb game: one food a round, two big answers. Each push starts a new
// game of ten; the results screen's play again starts the next one under it.
class CarbGameViewController : public CareScreen {
public:
    void viewDidLoad() override;
    // A pause left running would move on a game the child has walked away from.
    void viewDidDisappear(bool animated) override;
    void updateUI() override;

    void hasCarbsPressed(Control*) { answer(true); }
    void noCarbsPressed(Control*) { answer(false); }
    // The child's tap instead of the pause.
    void nextPressed(Control*) { nextFood(); }
    // The pause's timer; also what a tap on next does.
    void nextFood();

    void share(CarbGameSession& session) { session_ = &session; }

    ImageView* foodPicture = nullptr;
    Label* foodLabel = nullptr;
    Label* roundLabel = nullptr;
    Label* answerLabel = nullptr;
    Button* hasCarbsButton = nullptr;
    Button* noCarbsButton = nullptr;
    Button* nextButton = nullptr;

private:
    void answer(bool saysCarbs);
    void sayIfReading(const std::string& line);
    CarbGameSession* session_ = nullptr;
    std::uint64_t pause_ = 0;
};

} // namespace bc
