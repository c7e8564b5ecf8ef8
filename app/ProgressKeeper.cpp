#include "app/ProgressKeeper.h"

#include "platform/Application.h"
#include "screens/frame/CareScreen.h"
#include "state/AppState.h"

namespace bc {

ProgressKeeper::ProgressKeeper(AppState& state, ProgressStore& store, Say say)
    : state_(state), store_(store), say_(std::move(say))
{
}

void ProgressKeeper::sayOnce(const std::string& why)
{
    if (why != lastSaid_) {
        lastSaid_ = why;
        say_(why);
    }
}

void ProgressKeeper::start()
{
    auto text = store_.read();
    if (!text) {
        // Unreadable (or another game's) is not untrustworthy: leave it alone and play.
        sayOnce(text.error().message + "; this game plays without remembering");
        mayHoldSomething_ = false;
        return;
    }
    if (!text->has_value()) {
        mayHoldSomething_ = false;
        return;
    }
    auto record = parseProgress(**text);
    if (!record) {
        const auto aside = store_.setAside();
        say_("the kept game in " + store_.where() + " is not used (" + record.error().message + "); starting fresh" +
             (aside ? ", and it is kept aside as " + store_.asideWhere() : " (" + aside.error().message + ")"));
        // What could not be moved aside is not removed either: a grown-up may want to look at it.
        mayHoldSomething_ = false;
        return;
    }
    restoreProgress(state_, *record);
    // One missing a field the game keeps now is written whole at the next change.
    kept_ = std::move(*record);
}

void ProgressKeeper::restoreAgain()
{
    if (kept_) {
        restoreProgress(state_, *kept_);
    }
}

void ProgressKeeper::changed()
{
    if (!state_.preferences().remember) {
        if (!mayHoldSomething_ && !kept_) {
            return;
        }
        if (auto removed = store_.remove(); !removed) {
            sayOnce(removed.error().message);
            return;
        }
        kept_.reset();
        failed_.reset();
        mayHoldSomething_ = false;
        lastSaid_.clear();
        return;
    }
    ProgressRecord now = progressOf(state_);
    if (kept_ == now || failed_ == now) {
        return;
    }
    // A state the game could not read back (the driver may set any number) is not written over a good one.
    if (auto sound = checkProgress(now); !sound) {
        failed_ = now;
        sayOnce("this game is not kept: " + sound.error().message);
        return;
    }
    if (auto written = store_.write(now.dump()); !written) {
        failed_ = now;
        sayOnce(written.error().message + "; the game plays on without remembering");
        return;
    }
    kept_ = std::move(now);
    failed_.reset();
    mayHoldSomething_ = true;
    lastSaid_.clear();
}

void keepProgress(Application& app, ProgressKeeper& keeper, const std::function<void()>& afterRestore)
{
    keeper.restoreAgain();
    if (afterRestore) {
        afterRestore();
    }
    if (auto* first = dynamic_cast<CareScreen*>(app.top())) {
        first->updateUI();
    }
    app.setAfterEventObserver([&keeper] { keeper.changed(); });
}

} // namespace bc
