#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// Records the food being eaten now: one fixed portion of carbs. Back returns
// to the counter and keeps the visit open; home ends it.
class CarbCounterAddViewController : public CareScreen {
public:
    // Replaces, never adds up: a second press or a second visit still leaves
    // one portion. The child sees at once that it counted.
    void addButtonPressed(Control*)
    {
        countFood(appState());
        setNamedHidden({"caption"}, true);
        setNamedHidden({"countedLine"}, false);
        // A second press counts the same food again: practised once.
        if (!counted_) {
            counted_ = true;
            noteCare(CareEvent::CarbsCounted);
        }
    }
    void homeButtonPressed(Control* sender) override;

private:
    bool counted_ = false;
};

} // namespace bc
