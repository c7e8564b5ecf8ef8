#pragma once

#include "platform/Application.h"
#include "platform/Frame.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace bc {

class AppState;
class CareStateAccess;
class PageStorage;
class ProgressKeeper;

// One game played by a web page. The page owns no logic: it forwards taps,
// keys and timer ticks here and draws the frames this returns. Screens are
// named by a number that stays the same while the screen lives, so the page
// can keep one layer per screen and slide them.
class WebSession {
public:
    using json = nlohmann::ordered_json;

    // Loads the interface description and the pictures from `resources`; on
    // error nothing has started and the message says why. Without a
    // translator the child reads English. `kept` is what the page's storage
    // entry held (nothing when none). Texts are fitted by `measure`, the
    // page's own typeface; without one, by a plain estimate.
    static Result<std::unique_ptr<WebSession>>
    start(const std::string& resources, RunLoop::ClockKind clock, std::optional<std::uint64_t> seed = {},
          std::unique_ptr<const Translator> translator = nullptr, std::optional<std::string> kept = {},
          std::unique_ptr<const TextMeasure> measure = nullptr);
    ~WebSession();
    WebSession(const WebSession&) = delete;
    WebSession& operator=(const WebSession&) = delete;

    // The frame description (platform/Frame.h) as the page places it: the
    // visible screens (two during a slide, drawn in the listed order), the
    // bar, the focus ring and any running animation.
    json frame();

    // The screens after the first, read and checked: the page asks once its
    // first frame is up. A fault in them is the error, as it would have been
    // at start; a screen asked for before then is read when it is asked for.
    Result<void> finishLoading();

    // A tap, toggle or step on control `index` of screen `screen`. Refused
    // (with the reason) unless that screen is on top; the application
    // refuses the rest (a screen still moving, a hidden or disabled control).
    Result<void> tap(std::uint32_t screen, std::size_t index);
    Result<void> step(std::uint32_t screen, std::size_t index, bool up);
    Result<void> navBack();
    // A finger or the mouse on the canvas, in points: the window's rules of
    // press and release decide what it does. The page numbers them as listed
    // here; any other number is ignored.
    enum class Pointer { Down, Move, Up, Cancel };
    void pointer(int what, float x, float y);
    // A key for the focused control, numbered as Application::Key lists them.
    void key(int key);

    // Fires due timers and ends finished animations; true when the page
    // should fetch a new frame.
    bool tick();
    // Seconds until something is due (a timer or the end of an animation).
    std::optional<double> secondsToNextWake() const;

    // The page's own texts in the child's language: the names of a
    // stepper's halves and of the bar, and the request to turn a phone upright.
    // (The bar's back control is named in each frame.)
    json words() const;

    json state();
    // What the page is to play and say: {"heard": [...]}, as the driver answers.
    json heard();
    // The keyboard's focus reached the named control of a screen, or the
    // bar's back control (an empty name); the ring moves there and the
    // control says its name.
    void focused(std::uint32_t screen, const std::string& name);
    Application& app() { return *app_; }

    // What the page is to do to its storage entry since it last asked (see PageStorage::take).
    json takeProgress();


private:
    WebSession(std::unique_ptr<AppState> state, std::unique_ptr<Registry> registry, std::unique_ptr<Application> app,
               std::unique_ptr<PageStorage> storage, std::unique_ptr<ProgressKeeper> keeper,
               std::unique_ptr<const TextMeasure> measure);
    Result<Control*> refuse(std::uint32_t screen, std::size_t index);

    // The care state and the screens made for it outlive the game played on them.
    std::unique_ptr<AppState> state_;
    std::unique_ptr<Registry> registry_;
    std::unique_ptr<Application> app_;
    std::unique_ptr<CareStateAccess> inspector_;
    std::unique_ptr<PageStorage> storage_;
    std::unique_ptr<ProgressKeeper> keeper_;
    std::unique_ptr<const TextMeasure> measure_;
    TextFitter fitter_;
    bool wasAnimating_ = false;
};

} // namespace bc
