#pragma once

#include "screens/frame/CareScreen.h"

#include <string>

namespace bc {

// Today's three jobs, each with its picture, its words and a tick once done;
// the third one done shows the day's sticker. The jobs are done elsewhere:
// this screen only shows how the day stands.
class JobsViewController : public CareScreen {
public:
    void updateUI() override;

private:
    std::string greeting_;
};

// Twelve places, in order: the stickers collected, the next one as a shadow,
// the rest still empty. A full book stays full while the count goes on.
class StickerBookViewController : public CareScreen {
public:
    void updateUI() override;
};

void registerJobScreens(Registry& registry, AppState& state);

} // namespace bc
