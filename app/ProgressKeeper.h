#pragma once

#include "app/Progress.h"
#include "platform/ProgressStore.h"

#include <functional>
#include <optional>
#include <string>

namespace bc {

class AppState;
class Application;

// Keeps the care state's progress in a store while the grown-ups' switch is
// on, and forgets it when it is turned off. The application owns both the
// store and the keeper and asks the keeper after every handled input or timer.
class ProgressKeeper {
public:
    using Say = std::function<void(const std::string&)>;

    // `say` hears each one-line reason why the progress cannot be kept or was not used.
    ProgressKeeper(AppState& state, ProgressStore& store, Say say);

    // Reads what was kept and puts it into the care state, before the first
    // screen is made so that it greets the child as the grown-up set it up.
    // A kept text that cannot be trusted is set aside and the game starts
    // fresh; either way the game plays.
    void start();

    // Puts what start() read into the care state again, over the starting
    // values the first screen gave it.
    void restoreAgain();

    // Writes the progress if it changed since the last write (or removes it
    // once remembering was turned off). A failure is said once, and tried
    // again at the next change.
    void changed();

private:
    void sayOnce(const std::string& why);

    AppState& state_;
    ProgressStore& store_;
    Say say_;
    // What the store holds as far as this run knows; nothing once removed.
    std::optional<ProgressRecord> kept_;
    // What the last failed write tried, so that the same state is not retried.
    std::optional<ProgressRecord> failed_;
    bool mayHoldSomething_ = true;
    std::string lastSaid_;
};

// Once the first screen has given the care state its starting values: what
// was kept comes back over them (then `afterRestore` may overrule it, as an
// option on the command line does), the first screen shows it, and every
// handled input or timer from then on is kept.
void keepProgress(Application& app, ProgressKeeper& keeper, const std::function<void()>& afterRestore = {});

} // namespace bc
