#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// For grown-ups, reached from the unlocked settings: how often each kind of
// care was practised today, this week and in all. Counts only, no verdict.
class PracticeViewController : public CareScreen {
public:
    void updateUI() override;
};

void registerPracticeScreen(Registry& registry, AppState& state);

} // namespace bc
