#include "platform/Frame.h"

#include "platform/Application.h"
#include "platform/Driver.h"

#include <algorithm>
#include <cmath>

namespace bc {

namespace {

using json = nlohmann::ordered_json;

constexpr float kBarTitleSize = 17;
// The back control's words keep this far from its left edge.
constexpr float kBackIndent = 10;
// The focus ring's bands, from the control outwards: a gap, white, dark.
constexpr float kRingGap = 2;
constexpr float kRingInner = 2;
constexpr float kRingOuter = 3;
// Inside the bar's back control: the bar sits at the canvas edge, where an
// outer ring would be cut off.
constexpr float kBackRingInset = 9;
constexpr float kBackRingCorner = 4;
constexpr float kHairline = 0.5f;

Rect inset(const Rect& r, float by)
{
    return Rect{r.x + by, r.y + by, std::max(0.0f, r.w - 2 * by), std::max(0.0f, r.h - 2 * by)};
}

std::uint32_t idOf(const ScreenController* screen) { return screen != nullptr ? screen->stackId() : 0; }

const std::string& textOf(const Control& c)
{
    static const std::string none;
    switch (c.kind()) {
    case ControlKind::Label: return static_cast<const Label&>(c).text();
    case ControlKind::Button: return static_cast<const Button&>(c).title();
    default: return none;
    }
}

PlacedText place(const std::string& text, const TextLook& look, TextFitter& fitter, float scale)
{
    PlacedText placed{text, look, fitter.fit(text, look, scale), 0};
    placed.lineHeight = fitter.measure().lineHeight(placed.fitted.size * scale, look.bold) / scale;
    return placed;
}

FocusRing ringAround(const Rect& r, float radius)
{
    const Rect white = inset(r, -kRingGap - kRingInner);
    const Rect dark = inset(white, -kRingOuter);
    FocusRing ring;
    ring.inner = Box{"ring", white, palette::kClear, palette::kClear, radius + kRingGap + kRingInner,
                     palette::kRingInner, kRingInner};
    ring.outer = Box{"ring", dark, palette::kClear, palette::kClear, radius + kRingGap + kRingInner + kRingOuter,
                     palette::kRingOuter, kRingOuter};
    return ring;
}

Box filled(const char* role, Rect rect, Color fill, float radius = 0)
{
    return Box{role, rect, fill, fill, radius, palette::kClear, 0};
}

FrameScreen describeScreen(const Application& app, const ScreenController& screen, float dx, bool live,
                           TextFitter& fitter, float scale)
{
    FrameScreen out;
    out.screen = &screen;
    out.id = idOf(&screen);
    out.background = withAlpha(screen.backgroundColor, 255);
    out.dx = dx;
    out.live = live;
    const auto& slots = screen.slots();
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const Control& c = *slots[i].control;
        FrameControl fc;
        fc.control = &c;
        fc.index = i;
        fc.outlet = slots[i].outlet;
        fc.frame = c.canvasFrame();
        fc.look = lookOf(c);
        fc.hidden = c.isEffectivelyHidden();
        fc.pressed = live && app.pressedControl() == &c;
        if (fc.look.text) {
            TextLook onCanvas = *fc.look.text;
            onCanvas.area = onCanvas.area.offset(fc.frame.x, fc.frame.y);
            fc.text = place(textOf(c), onCanvas, fitter, scale);
        }
        fc.says = accessibleName(c, fc.outlet);
        out.controls.push_back(std::move(fc));
    }
    for (const Control* c : touchableInReadingOrder(screen)) {
        out.tabs.push_back(static_cast<std::size_t>(
            std::find_if(slots.begin(), slots.end(), [&](const auto& s) { return s.control.get() == c; }) -
            slots.begin()));
    }
    return out;
}

FrameBar describeBar(const Application& app, double now, TextFitter& fitter, float scale)
{
    const NavigationController& nav = app.navigation();
    FrameBar bar;
    bar.hidden = nav.isNavigationBarHidden();
    bar.shown = bar.hidden ? 0.0f : 1.0f;
    if (const auto& fade = nav.barFade()) {
        const float t = easeOut(static_cast<float>((now - fade->start) / NavigationController::kBarSeconds));
        bar.shown = fade->fromHidden ? t : 1.0f - t;
    }
    bar.dy = -Application::kBarHeight * (1.0f - bar.shown);
    const float dy = bar.dy;
    bar.body = filled("bar", Rect{0, dy, kCanvasWidth, Application::kBarHeight}, palette::kBarFill);
    bar.hairline = filled("hairline", Rect{0, dy + Application::kBarHeight - kHairline, kCanvasWidth, kHairline},
                          palette::kHairline);
    if (const ScreenController* top = app.top()) {
        const float side = Application::kBarBackRect.w + 4;
        const TextLook look{Rect{side, dy, kCanvasWidth - 2 * side, Application::kBarHeight}, kBarTitleSize, true,
                            palette::kBarTitle, TextAlign::Center};
        bar.title = place(top->title(), look, fitter, scale);
    }
    bar.back = nav.depth() > 1;
    bar.backRect = Application::kBarBackRect.offset(0, dy);
    bar.backPressed = app.barBackPressed();
    const std::string back = app.translator().translate("Back");
    bar.backSays = back;
    if (bar.back) {
        const Rect r = bar.backRect;
        // A chevron where the typeface has one, so it reads like every other back control.
        const std::string label = (fitter.measure().hasGlyph(0x2039) ? "\u2039 " : "< ") + back;
        const TextLook look{Rect{r.x + kBackIndent, r.y, r.w - kBackIndent, r.h}, kBarTitleSize, false,
                            bar.backPressed ? darker(palette::kTint, 0.3f) : palette::kTint, TextAlign::Left};
        bar.backLabel = place(label, look, fitter, scale);
        if (bar.backPressed) {
            bar.backHighlight = filled("pressed", inset(r, 4), withAlpha(palette::kTint, 45), 8);
        }
    }
    return bar;
}

json fittedJson(const PlacedText& t)
{
    return json{{"text", t.text},
                {"lines", t.fitted.text},
                {"size", t.fitted.size},
                {"fits", t.fitted.fits},
                {"lineHeight", std::round(t.lineHeight * 1000.0f) / 1000.0f},
                {"area", rectJson(t.look.area)},
                {"bold", t.look.bold},
                {"color", cssColor(t.look.color)},
                {"align", t.look.align == TextAlign::Center ? "center" : t.look.align == TextAlign::Right ? "right" : "left"}};
}

json boxJson(const Box& b)
{
    return json{{"rect", rectJson(b.rect)},
                {"fill", cssColor(b.fill)},
                {"corner", b.radius},
                {"edge", cssColor(b.edge)},
                {"edgeWidth", b.edgeWidth}};
}

json pictureName(const Picture& picture) { return picture.empty() ? json(nullptr) : json(picture.name()); }

json controlJson(const FrameControl& fc)
{
    const Control& c = *fc.control;
    json j = describeControl(c);
    j["i"] = fc.index;
    j["outlet"] = fc.outlet;
    j["frame"] = rectJson(fc.frame);
    j["label"] = c.accessibilityLabel;
    j["says"] = fc.says;
    if (c.kind() == ControlKind::Button) {
        j["icon"] = pictureName(static_cast<const Button&>(c).icon);
    } else if (c.kind() == ControlKind::Stepper) {
        const auto& stepper = static_cast<const Stepper&>(c);
        j["min"] = stepper.minimumValue;
        j["max"] = stepper.maximumValue;
        j["step"] = stepper.stepValue;
    }
    j["pressed"] = fc.pressed;
    j["look"] = lookJson(fc.look);
    j["fitted"] = fc.text ? fittedJson(*fc.text) : json(nullptr);
    return j;
}

} // namespace

FittedText TextFitter::fit(const std::string& text, const TextLook& look, float scale)
{
    const TextLook pixels{Rect{0, 0, look.area.w * scale, look.area.h * scale}, look.size * scale, look.bold, look.color,
                          look.align};
    const auto key = std::make_tuple(text, pixels.size, look.bold, pixels.area.w, pixels.area.h);
    auto known = known_.find(key);
    if (known == known_.end()) {
        // Screens come and go with their texts; a few hundred is more than any two screens show.
        if (known_.size() > 512) {
            known_.clear();
        }
        FittedText fitted = fitText(text, pixels, measure_, kSmallestText * scale);
        fitted.size /= scale;
        known = known_.emplace(key, std::move(fitted)).first;
    }
    return known->second;
}

float easeOut(float t)
{
    t = std::clamp(t, 0.0f, 1.0f);
    const float u = 1.0f - t;
    return 1.0f - u * u * u;
}

std::string accessibleName(const Control& c, const std::string& outlet)
{
    if (!c.accessibilityLabel.empty()) {
        return c.accessibilityLabel;
    }
    if ((c.kind() == ControlKind::Button || c.kind() == ControlKind::Label) && !textOf(c).empty()) {
        return textOf(c);
    }
    return outlet.empty() ? c.name() : outlet;
}

Frame describeFrame(const Application& app, double now, TextFitter& fitter, float scale)
{
    const NavigationController& nav = app.navigation();
    Frame frame;
    frame.top = idOf(app.top());
    frame.depth = nav.depth();
    frame.animating = nav.isAnimating();
    const auto& slide = nav.slide();
    if (slide && slide->from != nullptr && slide->to != nullptr) {
        const float e = easeOut(static_cast<float>((now - slide->start) / NavigationController::kSlideSeconds));
        // The one arriving is drawn over the one leaving on a push, under it on a pop.
        if (slide->push) {
            frame.screens.push_back(describeScreen(app, *slide->from, -kCanvasWidth * e, false, fitter, scale));
            frame.screens.push_back(describeScreen(app, *slide->to, kCanvasWidth * (1 - e), false, fitter, scale));
        } else {
            frame.screens.push_back(describeScreen(app, *slide->to, -kCanvasWidth * (1 - e), false, fitter, scale));
            frame.screens.push_back(describeScreen(app, *slide->from, kCanvasWidth * e, false, fitter, scale));
        }
        frame.slide = FrameSlide{slide->push, idOf(slide->from), idOf(slide->to), e, std::max(0.0, now - slide->start),
                                 NavigationController::kSlideSeconds};
    } else if (const ScreenController* top = app.top()) {
        frame.screens.push_back(describeScreen(app, *top, 0, !nav.isAnimating(), fitter, scale));
    }
    frame.bar = describeBar(app, now, fitter, scale);
    if (!frame.screens.empty() && frame.screens.back().live) {
        if (const Control* focused = app.focusedControl()) {
            frame.focus = ringAround(focused->canvasFrame(), lookOf(*focused).focusRadius);
            frame.focus->name = focused->name();
        }
    }
    if (app.barBackFocused() && !nav.isAnimating() && frame.bar.back && frame.bar.shown > 0) {
        frame.focus = ringAround(inset(frame.bar.backRect, kBackRingInset), kBackRingCorner);
        frame.focus->onBar = true;
    }
    frame.announcement = app.announcement().text;
    frame.announcements = app.announcement().count;
    return frame;
}

json frameJson(const Frame& frame)
{
    json screens = json::array();
    for (const FrameScreen& s : frame.screens) {
        json controls = json::array();
        for (const FrameControl& c : s.controls) {
            controls.push_back(controlJson(c));
        }
        screens.push_back(json{{"id", s.id},
                               {"class", s.screen->className()},
                               {"title", s.screen->title()},
                               {"background", cssColor(s.background)},
                               {"dx", std::round(s.dx * 1000.0f) / 1000.0f},
                               {"live", s.live},
                               {"controls", controls},
                               {"tabs", s.tabs}});
    }
    json slide = nullptr;
    if (frame.slide) {
        const FrameSlide& s = *frame.slide;
        slide = json{{"push", s.push},       {"from", s.from},         {"to", s.to},
                     {"eased", s.eased},     {"elapsed", s.elapsed},   {"duration", s.duration}};
    }
    const FrameBar& b = frame.bar;
    json bar{{"hidden", b.hidden},
             {"shown", b.shown},
             {"dy", b.dy},
             {"body", boxJson(b.body)},
             {"hairline", boxJson(b.hairline)},
             {"title", b.title ? fittedJson(*b.title) : json(nullptr)},
             {"back", b.back},
             {"backRect", rectJson(b.backRect)},
             {"backLabel", b.backLabel ? fittedJson(*b.backLabel) : json(nullptr)},
             {"backSays", b.backSays},
             {"backPressed", b.backPressed},
             {"backHighlight", b.backHighlight ? boxJson(*b.backHighlight) : json(nullptr)},
             {"look", barLookJson()}};
    json focus = nullptr;
    if (frame.focus) {
        focus = json{{"inner", boxJson(frame.focus->inner)},
                     {"outer", boxJson(frame.focus->outer)},
                     {"onBar", frame.focus->onBar},
                     {"name", frame.focus->name}};
    }
    return json{{"canvas", json{{"width", frame.width}, {"height", frame.height}, {"surround", cssColor(frame.surround)}}},
                {"top", frame.top},
                {"depth", frame.depth},
                {"animating", frame.animating},
                {"screens", screens},
                {"slide", slide},
                {"bar", bar},
                {"focus", focus},
                {"announce", json{{"text", frame.announcement}, {"count", frame.announcements}}}};
}

} // namespace bc
