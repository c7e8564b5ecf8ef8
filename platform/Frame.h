#pragma once

#include "platform/Look.h"
#include "platform/TextFit.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace bc {

class Application;
class ScreenController;

// Fits texts to their areas and remembers the answers: the same texts are
// asked for in every frame, and measuring is slow. Fitting is done at the
// renderer's own scale (pixels per point), so a text shrinks a pixel at a
// time, as it is drawn; the answer is in points.
class TextFitter {
public:
    explicit TextFitter(const TextMeasure& measure) : measure_(measure) {}
    FittedText fit(const std::string& text, const TextLook& look, float scale);
    const TextMeasure& measure() const { return measure_; }

private:
    const TextMeasure& measure_;
    std::map<std::tuple<std::string, float, bool, float, float>, FittedText> known_;
};

// A text placed on the canvas, already broken into the lines it is drawn on.
struct PlacedText {
    std::string text;   // as the screen set it
    TextLook look;      // its area on the canvas
    FittedText fitted;  // its lines and its size in points
    float lineHeight = 0; // in points, at the fitted size
};

// One control as both renderers show it.
struct FrameControl {
    const Control* control = nullptr;
    std::size_t index = 0; // its place in its screen's slots
    std::string outlet;
    Rect frame;            // on the canvas, before the screen's slide
    Look look;             // relative to `frame`
    bool hidden = false;
    bool pressed = false;  // a finger is on it and it shows so
    std::optional<PlacedText> text;
    std::string says;      // what a screen reader calls it
};

struct FrameScreen {
    const ScreenController* screen = nullptr;
    std::uint32_t id = 0;
    Color background;
    float dx = 0;       // where the slide has it now
    bool live = true;   // not sliding: takes input, shows presses and focus
    std::vector<FrameControl> controls;
    std::vector<std::size_t> tabs; // the controls that take touch, in reading order
};

// The keyboard's place: two bands around the focused control, dark outside
// and white inside, so that it shows on any colour.
struct FocusRing {
    Box inner; // a stroke: `edge` and `edgeWidth` say its colour and width
    Box outer;
    bool onBar = false;
    std::string name; // the control it surrounds (empty for the bar's back)
};

struct FrameBar {
    bool hidden = true;  // as the stack has it, whatever the fade shows
    float shown = 0;     // 0 to 1: how far down the bar is
    float dy = 0;        // the bar's offset above its place while it fades
    Box body;            // the bar, in canvas points
    Box hairline;
    std::optional<PlacedText> title;
    bool back = false;   // the stack has something to go back to
    Rect backRect;
    std::optional<PlacedText> backLabel;
    std::string backSays;
    bool backPressed = false;
    std::optional<Box> backHighlight; // while pressed
};

struct FrameSlide {
    bool push = true;
    std::uint32_t from = 0;
    std::uint32_t to = 0;
    float eased = 0; // 0 to 1 along the slide
    double elapsed = 0;
    double duration = 0;
};

// Everything a frame shows, computed once from the stack and the looks; the
// window paints it and the page places it. Nothing is drawn that it does not say.
struct Frame {
    float width = kCanvasWidth;
    float height = kCanvasHeight;
    Color surround = palette::kSurround;
    std::uint32_t top = 0;
    std::size_t depth = 0;
    bool animating = false;
    std::vector<FrameScreen> screens; // in drawing order
    std::optional<FrameSlide> slide;
    FrameBar bar;
    std::optional<FocusRing> focus;
    // What a screen reader was last told of a stepper's new value, and how
    // many times it was told anything.
    std::string announcement;
    std::uint64_t announcements = 0;
};

// The slide's position: quick at first, settling gently, 0 to 1.
float easeOut(float t);

// The frame at `now` on the game clock; texts are fitted at `scale` pixels a point.
Frame describeFrame(const Application& app, double now, TextFitter& fitter, float scale = 1);

// What a screen reader calls a control: the words the interface description
// gives it, else what it shows, else its name in code.
std::string accessibleName(const Control& control, const std::string& outlet);

// The frame as the page is handed it: points and CSS colours.
nlohmann::ordered_json frameJson(const Frame& frame);

} // namespace bc
