#pragma once

#include "platform/Audio.h"
#include "platform/Registry.h"
#include "platform/ScreenController.h"
#include "state/CareRules.h"
#include "state/Jobs.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace bc {

// One thing a screen's frame does in a lifecycle hook.
enum class FrameStep { HideBar, HideBarAnimated, ShowBarAnimated, Refresh };

// How a screen sits in the game's frame, declared once where it is registered:
// what each hook does to the stack's bar and whether it refreshes (in order),
// the coin label, and the exits.
struct ScreenFrame {
    using Steps = std::vector<FrameStep>;
    enum class Exits { None, BackHome, BackHomeCancel };
    Steps didLoad = {};
    Steps willAppear = {};
    Steps didAppear = {};
    Steps willDisappear = {};
    Steps didDisappear = {};
    bool coins = true;
    Exits exits = Exits::BackHome;
};

// What every screen of the game shares: the care state it was handed, the
// coin label, the bar policy of its frame, and back, home and cancel.
class CareScreen : public ScreenController {
public:
    void attach(AppState& state, std::shared_ptr<const ScreenFrame> frame);

    virtual AppState& appState() { return *state_; }

    // The coin balance, with no decimals.
    void showCoins();
    virtual void updateUI() { showCoins(); }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidDisappear(bool animated) override;

    virtual void backButtonPressed(Control* sender);
    virtual void homeButtonPressed(Control* sender);
    virtual void cancelButtonPressed(Control* sender);
    // The speaker button: the screen's line again, whether or not it is read on arrival.
    void speakButtonPressed(Control* sender);

    void touched(Control* control) override;
    void focused(const Control* control) override;

    Label* coinsLabel = nullptr;
    ImageView* itemWorn = nullptr;

    // The worn-item overlay (itemWorn) follows its rule.
    void checkBowTie(AppState& state) { itemWorn->setHidden(!showsWornItem(state)); }

    // The screen's line with each {name} replaced by what that control shows now.
    std::string spokenText() const;

protected:
    // A sound effect, unless a grown-up turned sound off.
    void play(Sound sound);
    // Something the child did, on today's date: it ticks a job of the day and
    // counts for the grown-ups' page. The third job of the day is heard at
    // once, with the coins it pays.
    void noteCare(CareEvent event);
    // The reading's move across the band, heard as the buddy turning happy or sad.
    void playMoodTurn(float before);
    // The picture for the buddy's mood by the blood-sugar band.
    void showMood(ImageView* view, const char* inRange, const char* outOfRange)
    {
        view->setImage(imageNamed(readingOutOfRange(appState()) ? outOfRange : inRange));
    }
    // The blood-sugar reading in the unit in use (with the given decimals in
    // mg/dL), and the unit's name in the label named "readingUnit".
    void showReading(Label* label, int mgDecimals);
    // The named labels, laid out with the band's limits in mg/dL, in the unit in use.
    void showBandCaptions(std::initializer_list<const char*> labelNames);
    // A picture with numbers drawn in mg/dL, or its mmol/L twin, in the named image.
    void showPictureInUnits(const char* imageName, const char* mgPicture, const char* mmolPicture);
    // A whole number, with the word in the named label beside it agreeing.
    void showCount(Label* number, double value, const char* wordLabel, Counted word);
    // Hides or shows controls the layout names; a layout without them loses nothing.
    void setNamedHidden(std::initializer_list<const char*> names, bool hidden);

private:
    void run(const ScreenFrame::Steps& steps);
    AppState* state_ = nullptr;
    std::shared_ptr<const ScreenFrame> frame_;
    bool appeared_ = false;
    std::string cheer_; // the day's cheer, to be said after the arriving screen's line
};

// Registers a care screen handed the one care state, with its frame's coin
// label and exits; the caller adds the screen's own outlets and actions.
// `prepare` hands each new screen whatever else it works on.
template <class S>
Registry::Builder<S> registerCareScreen(Registry& registry, AppState& state, const std::string& className,
                                        ScreenFrame frame, std::function<void(S&)> prepare = {})
{
    auto shared = std::make_shared<const ScreenFrame>(std::move(frame));
    auto builder = registry.screen<S>(className, [&state, shared, prepare] {
        auto screen = std::make_unique<S>();
        screen->attach(state, shared);
        if (prepare) {
            prepare(*screen);
        }
        return screen;
    });
    if (shared->coins) {
        builder.outlet("coinsLabel", &CareScreen::coinsLabel);
    }
    builder.action("speakButtonPressed", &CareScreen::speakButtonPressed);
    if (shared->exits != ScreenFrame::Exits::None) {
        builder.exit("backButtonPressed", &CareScreen::backButtonPressed)
            .exit("homeButtonPressed", &CareScreen::homeButtonPressed);
    }
    if (shared->exits == ScreenFrame::Exits::BackHomeCancel) {
        builder.exit("cancelButtonPressed", &CareScreen::cancelButtonPressed);
    }
    return builder;
}

} // namespace bc
