#include "platform/Look.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace bc {

namespace {

using json = nlohmann::ordered_json;

constexpr std::uint8_t kFadedAlpha = 110;
constexpr std::uint8_t kFadedSign = 80;
// Titles and icons keep this far from a button's edge.
constexpr float kButtonInset = 6;

Rect inset(const Rect& r, float by)
{
    return Rect{r.x + by, r.y + by, std::max(0.0f, r.w - 2 * by), std::max(0.0f, r.h - 2 * by)};
}

float cornerOf(const Control& c, float height)
{
    return c.style.cornerRadius > 0 ? c.style.cornerRadius : std::min(12.0f, height / 2);
}

Box plain(const char* role, Rect rect, Color fill, float radius)
{
    return Box{role, rect, fill, fill, radius, palette::kClear, 0};
}

TextLook textIn(const Style& s, Rect area, Color color, TextAlign align)
{
    return TextLook{area, s.fontSize, s.bold, color, align};
}

void lookOfButton(const Button& button, Look& look)
{
    const Style& s = button.style;
    const Rect r = look.body.rect;
    const bool enabled = button.isEnabled();
    Color fill = s.background.a > 0 ? s.background : palette::kDefaultButton;
    if (!enabled) {
        fill = mix(fill, palette::kDisabledGrey, 0.7f);
    }
    look.body.fill = fill;
    look.body.pressed = enabled ? darker(fill, 0.22f) : fill;
    look.body.radius = cornerOf(button, r.h);
    look.focusRadius = look.body.radius;
    if (!enabled) {
        // A dashed look is hard to read; a plain grey edge says "not now".
        look.body.edge = palette::kDisabledEdge;
        look.body.edgeWidth = 1.5f;
        look.contentAlpha = kFadedAlpha;
    }
    const Color titleColor = enabled ? s.textColor : palette::kDisabledTitle;
    const Rect inner = inset(r, kButtonInset);
    if (button.icon.empty()) {
        look.text = textIn(s, inner, titleColor, TextAlign::Center);
        return;
    }
    if (button.title().empty()) {
        look.picture = inner;
        return;
    }
    // The icon above the title on a tall button, beside it on a wide one.
    const float titleHeight = s.fontSize * 1.4f;
    if (inner.h >= titleHeight * 2.0f && r.h >= r.w * 0.8f) {
        look.picture = Rect{inner.x, inner.y, inner.w, inner.h - titleHeight};
        look.text = textIn(s, Rect{inner.x, inner.y + inner.h - titleHeight, inner.w, titleHeight}, titleColor,
                           TextAlign::Center);
    } else {
        const float side = std::min(inner.h, inner.w / 3);
        look.picture = Rect{inner.x, inner.y + (inner.h - side) / 2, side, side};
        look.text = textIn(s, Rect{inner.x + side + 4, inner.y, inner.w - side - 4, inner.h}, titleColor,
                           TextAlign::Center);
    }
}

void lookOfSwitch(const Switch& sw, Look& look)
{
    // The usual switch proportions, centred in whatever frame it was given.
    const Rect r = look.body.rect;
    const float h = std::min(r.h, r.w / 1.65f);
    const float w = h * 1.65f;
    const Rect track{(r.w - w) / 2, (r.h - h) / 2, w, h};
    const bool on = sw.isOn();
    const Color fill = on ? palette::kSwitchOn : palette::kSwitchOff;
    Box trackBox = plain("track", track, fill, h / 2);
    trackBox.edge = darker(fill, 0.25f);
    trackBox.edgeWidth = 1;
    look.parts.push_back(trackBox);

    // Not by colour alone: an "I" bar shows on the left when on, an "O" ring
    // on the right when off, and the knob sits at the other end.
    const float markH = h * 0.36f;
    const float cy = track.y + h / 2;
    if (on) {
        const float barW = std::max(2.0f, h * 0.08f);
        const float cx = track.x + h * 0.55f;
        look.parts.push_back(plain("mark", Rect{cx - barW / 2, cy - markH / 2, barW, markH}, palette::kWhite, barW / 2));
    } else {
        const float cx = track.x + w - h * 0.55f;
        const float ring = markH / 2;
        Box mark = plain("mark", Rect{cx - ring, cy - ring, 2 * ring, 2 * ring}, palette::kClear, ring);
        mark.edge = palette::kSwitchOffRing;
        mark.edgeWidth = std::max(1.5f, h * 0.07f);
        look.parts.push_back(mark);
    }
    const float knobR = h / 2 - 2;
    const float knobX = on ? track.x + w - h / 2 : track.x + h / 2;
    const Rect knob{knobX - knobR, cy - knobR, 2 * knobR, 2 * knobR};
    look.parts.push_back(plain("shadow", knob.offset(0, 0.8f), palette::kKnobShadow, knobR));
    Box knobBox = plain("knob", knob, palette::kWhite, knobR);
    knobBox.pressed = palette::kKnobPressed;
    look.parts.push_back(knobBox);
    look.body.radius = r.h / 2; // clear, but the focus ring follows it
    look.focusRadius = r.h / 2;
}

void lookOfStepper(const Stepper& stepper, Look& look)
{
    const Style& s = stepper.style;
    const Rect r = look.body.rect;
    const Color fill = s.background.a > 0 ? s.background : palette::kStepperFill;
    const float edge = 1.5f;
    look.body.fill = fill;
    look.body.pressed = darker(fill, 0.12f);
    look.body.radius = std::min(8.0f, r.h / 2);
    look.body.edge = palette::kTint;
    look.body.edgeWidth = edge;
    look.focusRadius = r.h / 2;
    look.parts.push_back(plain("divider", Rect{r.w / 2 - edge / 2, edge, edge, r.h - 2 * edge}, palette::kTint, 0));

    // The signs are drawn, not typeset: every font has them, and they stay crisp.
    const float arm = std::min(r.h * 0.42f, r.w * 0.18f);
    const float thick = 2;
    const Color minus = stepper.value() > stepper.minimumValue ? palette::kTint : withAlpha(palette::kTint, kFadedSign);
    const Color plus = stepper.value() < stepper.maximumValue ? palette::kTint : withAlpha(palette::kTint, kFadedSign);
    const float cy = r.h / 2;
    const float leftX = r.w / 4;
    const float rightX = r.w * 3 / 4;
    const float stem = (arm - thick) / 2;
    look.parts.push_back(plain("minus", Rect{leftX - arm / 2, cy - thick / 2, arm, thick}, minus, thick / 2));
    look.parts.push_back(plain("plus", Rect{rightX - arm / 2, cy - thick / 2, arm, thick}, plus, thick / 2));
    // The upright of the plus in two pieces, so a faded sign is not darker where they cross.
    look.parts.push_back(plain("plus", Rect{rightX - thick / 2, cy - arm / 2, thick, stem}, plus, 0));
    look.parts.push_back(plain("plus", Rect{rightX - thick / 2, cy + thick / 2, thick, stem}, plus, 0));
}

// Points are floats on the canvas; the page wants plain numbers.
json number(double value)
{
    const double rounded = std::round(value * 1000.0) / 1000.0;
    if (rounded == std::trunc(rounded) && std::fabs(rounded) < 1e12) {
        return static_cast<long long>(rounded);
    }
    return rounded;
}

const char* alignName(TextAlign align)
{
    switch (align) {
    case TextAlign::Center: return "center";
    case TextAlign::Right: return "right";
    case TextAlign::Left: break;
    }
    return "left";
}

json boxJson(const Box& b)
{
    return json{{"role", b.role},
                {"rect", rectJson(b.rect)},
                {"fill", cssColor(b.fill)},
                {"pressed", cssColor(b.pressed)},
                {"corner", number(b.radius)},
                {"edge", cssColor(b.edge)},
                {"edgeWidth", number(b.edgeWidth)}};
}

} // namespace

json rectJson(const Rect& r) { return json::array({number(r.x), number(r.y), number(r.w), number(r.h)}); }

Color darker(Color c, float amount)
{
    const float k = 1.0f - std::clamp(amount, 0.0f, 1.0f);
    return Color{static_cast<std::uint8_t>(c.r * k), static_cast<std::uint8_t>(c.g * k),
                 static_cast<std::uint8_t>(c.b * k), c.a};
}

Color mix(Color a, Color b, float t)
{
    t = std::clamp(t, 0.0f, 1.0f);
    auto lerp = [t](std::uint8_t x, std::uint8_t y) {
        return static_cast<std::uint8_t>(std::lround(x + (static_cast<float>(y) - x) * t));
    };
    return Color{lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b), lerp(a.a, b.a)};
}

Color withAlpha(Color c, std::uint8_t alpha)
{
    c.a = alpha;
    return c;
}

bool isBackdrop(const Rect& f) { return f.w >= kCanvasWidth - 1 && f.h >= kCanvasHeight / 2; }

Look lookOf(const Control& c)
{
    const Style& s = c.style;
    const Rect frame = c.canvasFrame();
    Look look;
    look.body = plain("body", Rect{0, 0, frame.w, frame.h}, s.background, s.cornerRadius);
    look.focusRadius = cornerOf(c, frame.h);
    switch (c.kind()) {
    case ControlKind::Label: {
        // Text on a filled shape keeps clear of its edge.
        const float pad = s.background.a > 0 ? std::max(4.0f, s.cornerRadius / 2) : 0.0f;
        look.text = textIn(s, Rect{pad, 0, std::max(1.0f, frame.w - 2 * pad), frame.h}, s.textColor, s.align);
        break;
    }
    case ControlKind::Image:
        look.picture = look.body.rect;
        look.cover = isBackdrop(frame);
        break;
    case ControlKind::Button: lookOfButton(static_cast<const Button&>(c), look); break;
    case ControlKind::Switch: lookOfSwitch(static_cast<const Switch&>(c), look); break;
    case ControlKind::Stepper: lookOfStepper(static_cast<const Stepper&>(c), look); break;
    case ControlKind::View: break;
    }
    return look;
}

std::string cssColor(Color c)
{
    char text[48];
    std::snprintf(text, sizeof text, "rgba(%d,%d,%d,%.3f)", c.r, c.g, c.b, c.a / 255.0);
    return text;
}

json lookJson(const Look& look)
{
    json parts = json::array();
    for (const Box& b : look.parts) {
        parts.push_back(boxJson(b));
    }
    json text = nullptr;
    if (look.text) {
        const TextLook& t = *look.text;
        text = json{{"area", rectJson(t.area)},
                    {"font", number(t.size)},
                    {"bold", t.bold},
                    {"color", cssColor(t.color)},
                    {"align", alignName(t.align)}};
    }
    return json{{"body", boxJson(look.body)},
                {"parts", parts},
                {"picture", look.picture ? rectJson(*look.picture) : json(nullptr)},
                {"cover", look.cover},
                {"text", text},
                {"opacity", number(look.contentAlpha / 255.0)},
                {"focusCorner", number(look.focusRadius)}};
}

json barLookJson()
{
    return json{{"fill", cssColor(palette::kBarFill)},
                {"edge", cssColor(palette::kHairline)},
                {"title", cssColor(palette::kBarTitle)},
                {"back", cssColor(palette::kTint)},
                {"backPressed", cssColor(darker(palette::kTint, 0.3f))},
                {"surround", cssColor(palette::kSurround)},
                {"ringOuter", cssColor(palette::kRingOuter)},
                {"ringInner", cssColor(palette::kRingInner)}};
}

} // namespace bc
