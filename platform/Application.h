#pragma once

#include "platform/Audio.h"
#include "platform/Console.h"
#include "platform/NavigationController.h"
#include "platform/PictureCatalog.h"
#include "platform/Random.h"
#include "platform/Registry.h"
#include "platform/RunLoop.h"
#include "platform/Services.h"
#include "platform/Storyboard.h"
#include "state/Translator.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace bc {

// The controls of a screen that take touch, in reading order: rows from the
// top, each read from the left. The keyboard goes round them in this order.
std::vector<Control*> touchableInReadingOrder(const ScreenController& screen);

// One running game: the interface description, the stack built from it, the
// run loop and the input rules shared by the window and the headless driver.
class Application {
public:
    static constexpr const char* kStoryboardFile = "storyboard.json";
    static constexpr float kBarHeight = 44.0f;
    static constexpr Rect kBarBackRect{0, 0, 96, 44};

    // Loads and checks everything before the first screen is made: on error
    // nothing has started. Without a seed the random draws differ each run;
    // without an audio output what would be heard is only recorded; without a
    // translator the child reads the English the game is written in.
    static Result<std::unique_ptr<Application>> create(const std::filesystem::path& resources, const Registry& registry, RunLoop::ClockKind clock,
                          std::optional<std::uint64_t> seed = std::nullopt,
                          std::unique_ptr<Audio> audio = nullptr,
                          std::unique_ptr<const Translator> translator = nullptr,
                          Storyboard::Loading loading = Storyboard::Loading::Whole);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    NavigationController& navigation() { return *navigation_; }
    const NavigationController& navigation() const { return *navigation_; }
    RunLoop& runLoop() { return *runLoop_; }
    const RunLoop& runLoop() const { return *runLoop_; }
    Console& console() { return console_; }
    Services& services() { return services_; }
    Random& random() { return random_; }
    Audio& audio() { return *audio_; }
    const Translator& translator() const { return *translator_; }
    const Storyboard& storyboard() const { return storyboard_; }
    const PictureCatalog& pictures() const { return *pictures_; }
    ScreenController* top() const { return navigation_->topViewController(); }

    // What a completed tap does: the control's actions, then its transition.
    // An error says why nothing happened.
    Result<void> tap(Control* control);
    Result<void> toggle(Control* control);
    Result<void> step(Control* control, bool up);
    // The navigation bar's back control: one pop, no screen action.
    Result<void> navBack();
    bool navBackAvailable() const;

    // Pointer input on the canvas, in points. A tap is a press and a release
    // on the same control of the same screen, with no animation running.
    void pointerDown(float x, float y);
    void pointerUp(float x, float y);
    void pointerCancel();
    // A held press that wanders off its control no longer looks pressed (a
    // release there does not tap); back on, it does again.
    void pointerMoved(float x, float y);
    const Control* pressedControl() const { return pressedInside_ ? pressed_ : nullptr; }
    bool barBackPressed() const { return pressedBarBack_ && pressedInside_; }

    // Keyboard: a focus ring over the controls that take touch. Tab moves
    // it, Return or Space works what it is on, the arrows step a stepper.
    enum class Key { Next, Previous, Activate, Up, Down };
    void key(Key key);
    void focusNext(bool backwards);
    void activateFocus();
    void stepFocus(bool up);
    // A front end whose own focus moved (the page's, where the browser
    // keeps it) puts the ring there: a control of the top screen by name, or
    // the bar's back control (an empty name). The screen says what it is on.
    void focusOn(const std::string& name);
    const Control* focusedControl() const;
    bool barBackFocused() const { return focusBarBack_; }

    // What a screen reader is told after a stepper moved: the labels it
    // changed, or its own value. `count` grows with each, so that the same
    // words said twice are told twice.
    struct Announcement {
        std::string text;
        std::uint64_t count = 0;
    };
    const Announcement& announcement() const { return announcement_; }

    // Finishes animations whose time is up and clears away departed screens,
    // then tells the observer (say, to keep what changed).
    void afterEvent();
    void setAfterEventObserver(std::function<void()> observer) { afterEventObserver_ = std::move(observer); }

    // Something visible may have changed since the last frame.
    bool needsDisplay() const { return dirty_; }
    void setNeedsDisplay() { dirty_ = true; }
    void displayed() { dirty_ = false; }

private:
    Application(Storyboard storyboard, std::unique_ptr<PictureCatalog> pictures, RunLoop::ClockKind clock,
                std::optional<std::uint64_t> seed, std::unique_ptr<Audio> audio,
                std::unique_ptr<const Translator> translator);
    // What every input on a control opens with: refused unless the control
    // is on top, shown, enabled and of that kind; else its screen hears of the touch.
    Result<ScreenController*> touch(Control* control, ControlKind kind);
    Control* hitTest(float x, float y) const;
    std::vector<Control*> focusable() const;
    void resetFocusIfScreenChanged();
    void sayNewValue(Control* control);
    void announceStep(const ScreenController& screen, const Control& stepper,
                      const std::vector<std::pair<const Control*, std::string>>& labelsBefore);

    std::unique_ptr<PictureCatalog> pictures_;
    std::unique_ptr<const Translator> translator_;
    Storyboard storyboard_;
    Console console_;
    Random random_;
    std::unique_ptr<RunLoop> runLoop_;
    std::unique_ptr<Audio> audio_;
    Services services_;
    std::unique_ptr<NavigationController> navigation_;
    Control* pressed_ = nullptr;
    ScreenController* pressedOn_ = nullptr;
    bool pressedBarBack_ = false;
    bool pressedInside_ = true;
    std::string focusName_;
    bool focusBarBack_ = false;
    ScreenController* focusOn_ = nullptr;
    bool dirty_ = true;
    std::function<void()> afterEventObserver_;
    Announcement announcement_;
    // What each stepper said last, by screen and name: said again at a bound,
    // where it changes nothing.
    std::map<std::pair<std::uint32_t, std::string>, std::string> lastSaid_;
};

} // namespace bc
