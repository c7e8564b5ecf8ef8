#include "platform/sdl/Painter.h"

#include "platform/Application.h"
#include "platform/sdl/Shapes.h"

#include <algorithm>
#include <cmath>

namespace bc::sdl {

namespace {

// A light sky blue: dark titles stay readable on it and it looks tappable.
constexpr Color kDefaultButton{125, 195, 245, 255};
constexpr Color kDisabledGrey{205, 205, 210, 255};
constexpr Color kSwitchOn{52, 180, 89, 255};
constexpr Color kSwitchOff{196, 196, 204, 255};
constexpr Color kWhite{255, 255, 255, 255};
constexpr Color kTint{0, 105, 215, 255};
constexpr Color kBarFill{248, 248, 251, 245};
constexpr Color kHairline{178, 178, 190, 255};
constexpr Color kRingOuter{12, 28, 96, 255};
constexpr Color kRingInner{255, 255, 255, 255};
constexpr std::uint8_t kFadedAlpha = 110;

SDL_FRect inset(const SDL_FRect& r, float by)
{
    return SDL_FRect{r.x + by, r.y + by, std::max(0.0f, r.w - 2 * by), std::max(0.0f, r.h - 2 * by)};
}

float buttonRadius(const Control& c, float heightPoints)
{
    return c.style.cornerRadius > 0 ? c.style.cornerRadius : std::min(12.0f, heightPoints / 2);
}

} // namespace

float easeOut(float t)
{
    t = std::clamp(t, 0.0f, 1.0f);
    const float u = 1.0f - t;
    return 1.0f - u * u * u;
}

Painter::Painter(SDL_Renderer* renderer, FontSource& fonts)
    : renderer_(renderer), text_(renderer, fonts), pictures_(renderer)
{
    SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
}

void Painter::forgetTextures()
{
    text_.clear();
    pictures_.clear();
}

SDL_FRect Painter::toPixels(const Rect& p, float dx, float dy) const
{
    return SDL_FRect{fit_.x + (p.x + dx) * fit_.scale, fit_.y + (p.y + dy) * fit_.scale, p.w * fit_.scale,
                     p.h * fit_.scale};
}

void Painter::paint(const Application& app, const CanvasFit& fit, double now)
{
    fit_ = fit;
    SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
    SDL_RenderSetClipRect(renderer_, nullptr);
    SDL_SetRenderDrawColor(renderer_, kSurround.r, kSurround.g, kSurround.b, 255);
    SDL_RenderClear(renderer_);

    const SDL_Rect canvas{static_cast<int>(fit_.x), static_cast<int>(fit_.y),
                          static_cast<int>(std::lround(fit_.width())), static_cast<int>(std::lround(fit_.height()))};
    SDL_RenderSetClipRect(renderer_, &canvas);

    const NavigationController& nav = app.navigation();
    const auto& slide = nav.slide();
    if (slide && slide->from != nullptr && slide->to != nullptr) {
        const float t = static_cast<float>((now - slide->start) / NavigationController::kSlideSeconds);
        const float e = easeOut(t);
        if (slide->push) {
            drawScreen(app, *slide->from, -kCanvasWidth * e, false);
            drawScreen(app, *slide->to, kCanvasWidth * (1 - e), false);
        } else {
            drawScreen(app, *slide->to, -kCanvasWidth * (1 - e), false);
            drawScreen(app, *slide->from, kCanvasWidth * e, false);
        }
    } else if (const ScreenController* top = app.top()) {
        drawScreen(app, *top, 0, !nav.isAnimating());
    }

    // How much of the bar shows: all, none, or part way through a fade.
    float shown = nav.isNavigationBarHidden() ? 0.0f : 1.0f;
    if (const auto& fade = nav.barFade()) {
        const float t = easeOut(static_cast<float>((now - fade->start) / NavigationController::kBarSeconds));
        shown = fade->fromHidden ? t : 1.0f - t;
    }
    if (shown > 0.0f) {
        drawBar(app, -Application::kBarHeight * (1.0f - shown));
    }

    SDL_RenderSetClipRect(renderer_, nullptr);
    text_.endFrame();
}

void Painter::drawScreen(const Application& app, const ScreenController& screen, float dx, bool live)
{
    const Color bg = screen.backgroundColor;
    fillRoundedRect(renderer_, toPixels(Rect{0, 0, kCanvasWidth, kCanvasHeight}, dx), 0, withAlpha(bg, 255));
    for (const auto& slot : screen.slots()) {
        const Control& c = *slot.control;
        if (!c.isEffectivelyHidden()) {
            drawControl(app, c, dx, live);
        }
    }
    if (!live) {
        return;
    }
    if (const Control* focused = app.focusedControl()) {
        const Rect f = focused->canvasFrame();
        const float radius = focused->kind() == ControlKind::Switch || focused->kind() == ControlKind::Stepper
                                 ? f.h / 2
                                 : buttonRadius(*focused, f.h);
        drawFocusRing(toPixels(f, dx), px(radius));
    }
}

void Painter::drawControl(const Application& app, const Control& c, float dx, bool live)
{
    const SDL_FRect r = toPixels(c.canvasFrame(), dx);
    const bool pressed = live && app.pressedControl() == &c;
    switch (c.kind()) {
    case ControlKind::Image:
        drawImage(app, static_cast<const ImageView&>(c), r);
        break;
    case ControlKind::Label:
        drawLabel(static_cast<const Label&>(c), r);
        break;
    case ControlKind::Button:
        drawButton(app, static_cast<const Button&>(c), r, pressed);
        break;
    case ControlKind::Switch:
        drawSwitch(static_cast<const Switch&>(c), r, pressed);
        break;
    case ControlKind::Stepper:
        drawStepper(static_cast<const Stepper&>(c), r, pressed);
        break;
    case ControlKind::View:
        fillRoundedRect(renderer_, r, px(c.style.cornerRadius), c.style.background);
        break;
    }
}

bool Painter::canShow(const Application& app, const Picture& picture)
{
    return !picture.empty() && pictures_.size(picture.name(), app.pictures().pathOf(picture.name())).has_value();
}

void Painter::drawPicture(const Application& app, const Picture& picture, const SDL_FRect& r, bool fill,
                          std::uint8_t alpha)
{
    if (picture.empty() || r.w <= 0 || r.h <= 0) {
        return;
    }
    const auto file = app.pictures().pathOf(picture.name());
    const auto size = pictures_.size(picture.name(), file);
    if (!size || size->w <= 0 || size->h <= 0) {
        return;
    }
    const int tw = size->w;
    const int th = size->h;
    const float pictureAspect = static_cast<float>(tw) / static_cast<float>(th);
    const float frameAspect = r.w / r.h;
    SDL_Rect src{0, 0, tw, th};
    SDL_FRect dst = r;
    if (fill) {
        // Crop the picture's middle to the frame's shape.
        if (pictureAspect > frameAspect) {
            src.w = std::max(1, static_cast<int>(std::lround(static_cast<float>(th) * frameAspect)));
            src.x = (tw - src.w) / 2;
        } else {
            src.h = std::max(1, static_cast<int>(std::lround(static_cast<float>(tw) / frameAspect)));
            src.y = (th - src.h) / 2;
        }
    } else if (pictureAspect > frameAspect) {
        dst.h = r.w / pictureAspect;
        dst.y = r.y + (r.h - dst.h) / 2;
    } else {
        dst.w = r.h * pictureAspect;
        dst.x = r.x + (r.w - dst.w) / 2;
    }
    // Whole pixels, the size independent of the place: a sliding picture
    // keeps the one scaled copy it was given.
    const SDL_Rect at{static_cast<int>(std::lround(dst.x)), static_cast<int>(std::lround(dst.y)),
                      std::max(1, static_cast<int>(std::lround(dst.w))),
                      std::max(1, static_cast<int>(std::lround(dst.h)))};
    SDL_Texture* texture = pictures_.texture(picture.name(), file, src, at.w, at.h);
    if (texture == nullptr) {
        return;
    }
    SDL_SetTextureBlendMode(texture, size->opaque && alpha == 255 ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
    SDL_SetTextureAlphaMod(texture, alpha);
    SDL_RenderCopy(renderer_, texture, nullptr, &at);
}

void Painter::drawImage(const Application& app, const ImageView& view, const SDL_FRect& r)
{
    fillRoundedRect(renderer_, r, px(view.style.cornerRadius), view.style.background);
    const Rect f = view.canvasFrame();
    // A backdrop must reach every edge; anything smaller is shown whole.
    const bool backdrop = f.w >= kCanvasWidth - 1 && f.h >= kCanvasHeight / 2;
    drawPicture(app, view.image(), r, backdrop);
}

bool Painter::drawText(const std::string& text, float fontSize, bool bold, Color color, TextAlign align,
                       const SDL_FRect& r, std::uint8_t alpha)
{
    const int size = std::max(1, static_cast<int>(std::lround(px(fontSize))));
    const auto block = text_.render(text, size, bold, color, align, static_cast<int>(std::floor(r.w)));
    if (block.texture == nullptr) {
        return false;
    }
    float x = r.x;
    if (align == TextAlign::Center) {
        x = r.x + (r.w - static_cast<float>(block.w)) / 2;
    } else if (align == TextAlign::Right) {
        x = r.x + r.w - static_cast<float>(block.w);
    }
    const float y = r.y + (r.h - static_cast<float>(block.h)) / 2;
    // Whole pixels: text copied 1:1 stays sharp.
    const SDL_FRect dst{std::round(x), std::round(y), static_cast<float>(block.w), static_cast<float>(block.h)};
    SDL_SetTextureAlphaMod(block.texture, static_cast<std::uint8_t>(color.a * alpha / 255));
    SDL_RenderCopyF(renderer_, block.texture, nullptr, &dst);
    return true;
}

void Painter::drawLabel(const Label& label, const SDL_FRect& r)
{
    const Style& s = label.style;
    fillRoundedRect(renderer_, r, px(s.cornerRadius), s.background);
    // Text on a filled shape keeps clear of its edge.
    const float pad = s.background.a > 0 ? px(std::max(4.0f, s.cornerRadius / 2)) : 0.0f;
    const SDL_FRect area{r.x + pad, r.y, std::max(1.0f, r.w - 2 * pad), r.h};
    drawText(label.text(), s.fontSize, s.bold, s.textColor, s.align, area);
}

void Painter::drawButton(const Application& app, const Button& button, const SDL_FRect& r, bool pressed)
{
    const Style& s = button.style;
    const bool enabled = button.isEnabled();
    Color fill = s.background.a > 0 ? s.background : kDefaultButton;
    if (!enabled) {
        fill = mix(fill, kDisabledGrey, 0.7f);
    } else if (pressed) {
        fill = darker(fill, 0.22f);
    }
    const float radius = px(buttonRadius(button, button.frame().h));
    fillRoundedRect(renderer_, r, radius, fill);
    if (!enabled) {
        // A dashed look is hard to read; a plain grey edge says "not now".
        strokeRoundedRect(renderer_, r, radius, std::max(1.0f, px(1.5f)), Color{150, 150, 158, 255});
    }
    const std::uint8_t alpha = enabled ? 255 : kFadedAlpha;
    const Color titleColor = enabled ? s.textColor : Color{90, 90, 100, 255};

    const bool icon = canShow(app, button.icon);
    const std::string& title = button.title();
    const SDL_FRect inner = inset(r, px(6));
    if (!icon) {
        drawText(title, s.fontSize, s.bold, titleColor, TextAlign::Center, inner, alpha);
        return;
    }
    if (title.empty()) {
        drawPicture(app, button.icon, inner, false, alpha);
        return;
    }
    const float titleHeight = px(s.fontSize * 1.4f);
    const bool above = inner.h >= titleHeight * 2.0f && r.h >= r.w * 0.8f;
    if (above) {
        const SDL_FRect iconArea{inner.x, inner.y, inner.w, inner.h - titleHeight};
        const SDL_FRect titleArea{inner.x, inner.y + inner.h - titleHeight, inner.w, titleHeight};
        drawPicture(app, button.icon, iconArea, false, alpha);
        drawText(title, s.fontSize, s.bold, titleColor, TextAlign::Center, titleArea, alpha);
    } else {
        const float side = std::min(inner.h, inner.w / 3);
        const SDL_FRect iconArea{inner.x, inner.y + (inner.h - side) / 2, side, side};
        const SDL_FRect titleArea{inner.x + side + px(4), inner.y, inner.w - side - px(4), inner.h};
        drawPicture(app, button.icon, iconArea, false, alpha);
        drawText(title, s.fontSize, s.bold, titleColor, TextAlign::Center, titleArea, alpha);
    }
}

void Painter::drawSwitch(const Switch& sw, const SDL_FRect& r, bool pressed)
{
    // The usual switch proportions, centred in whatever frame it was given.
    const float h = std::min(r.h, r.w / 1.65f);
    const float w = h * 1.65f;
    const SDL_FRect track{r.x + (r.w - w) / 2, r.y + (r.h - h) / 2, w, h};
    const bool on = sw.isOn();
    fillRoundedRect(renderer_, track, h / 2, on ? kSwitchOn : kSwitchOff);
    strokeRoundedRect(renderer_, track, h / 2, std::max(1.0f, px(1)), darker(on ? kSwitchOn : kSwitchOff, 0.25f));

    // Not by colour alone: an "I" bar shows on the left when on, an "O" ring
    // on the right when off, and the knob sits at the other end.
    const float markH = h * 0.36f;
    const float cy = track.y + h / 2;
    if (on) {
        const float barW = std::max(2.0f, h * 0.08f);
        const float cx = track.x + h * 0.55f;
        fillRoundedRect(renderer_, SDL_FRect{cx - barW / 2, cy - markH / 2, barW, markH}, barW / 2, kWhite);
    } else {
        const float cx = track.x + w - h * 0.55f;
        const float ring = markH / 2;
        strokeRoundedRect(renderer_, SDL_FRect{cx - ring, cy - ring, 2 * ring, 2 * ring}, ring,
                          std::max(1.5f, h * 0.07f), Color{110, 110, 120, 255});
    }
    const float knobR = h / 2 - std::max(2.0f, px(2));
    const float knobX = on ? track.x + w - h / 2 : track.x + h / 2;
    fillCircle(renderer_, knobX, cy + px(0.8f), knobR, Color{0, 0, 0, 40}); // a soft shadow
    fillCircle(renderer_, knobX, cy, knobR, pressed ? Color{232, 232, 236, 255} : kWhite);
}

void Painter::drawStepper(const Stepper& stepper, const SDL_FRect& r, bool pressed)
{
    const Style& s = stepper.style;
    Color fill = s.background.a > 0 ? s.background : Color{236, 244, 252, 255};
    if (pressed) {
        fill = darker(fill, 0.12f);
    }
    const float radius = std::min(px(8), r.h / 2);
    const float edge = std::max(1.0f, px(1.5f));
    fillRoundedRect(renderer_, r, radius, fill);
    strokeRoundedRect(renderer_, r, radius, edge, kTint);
    SDL_SetRenderDrawColor(renderer_, kTint.r, kTint.g, kTint.b, kTint.a);
    const SDL_FRect divider{std::round(r.x + r.w / 2 - edge / 2), r.y + edge, edge, r.h - 2 * edge};
    SDL_RenderFillRectF(renderer_, &divider);

    // The signs are drawn, not typeset: every font has them, and they stay crisp.
    const float arm = std::min(r.h * 0.42f, r.w * 0.18f);
    const float thick = std::max(2.0f, px(2));
    const bool canDown = stepper.value() > stepper.minimumValue;
    const bool canUp = stepper.value() < stepper.maximumValue;
    const Color minus = canDown ? kTint : withAlpha(kTint, 80);
    const Color plus = canUp ? kTint : withAlpha(kTint, 80);
    const float cy = r.y + r.h / 2;
    const float leftX = r.x + r.w / 4;
    const float rightX = r.x + r.w * 3 / 4;
    fillRoundedRect(renderer_, SDL_FRect{leftX - arm / 2, cy - thick / 2, arm, thick}, thick / 2, minus);
    fillRoundedRect(renderer_, SDL_FRect{rightX - arm / 2, cy - thick / 2, arm, thick}, thick / 2, plus);
    fillRoundedRect(renderer_, SDL_FRect{rightX - thick / 2, cy - arm / 2, thick, (arm - thick) / 2}, 0, plus);
    fillRoundedRect(renderer_, SDL_FRect{rightX - thick / 2, cy + thick / 2, thick, (arm - thick) / 2}, 0, plus);
}

void Painter::drawBar(const Application& app, float dy)
{
    const SDL_FRect bar = toPixels(Rect{0, 0, kCanvasWidth, Application::kBarHeight}, 0, dy);
    fillRoundedRect(renderer_, bar, 0, kBarFill);
    const SDL_FRect line{bar.x, bar.y + bar.h - std::max(1.0f, px(0.5f)), bar.w, std::max(1.0f, px(0.5f))};
    fillRoundedRect(renderer_, line, 0, kHairline);

    const ScreenController* top = app.top();
    const NavigationController& nav = app.navigation();
    if (top != nullptr) {
        const float side = Application::kBarBackRect.w + 4;
        const SDL_FRect titleArea = toPixels(Rect{side, 0, kCanvasWidth - 2 * side, Application::kBarHeight}, 0, dy);
        drawText(top->title(), 17, true, Color{30, 30, 40, 255}, TextAlign::Center, titleArea);
    }
    if (nav.depth() <= 1) {
        return;
    }
    const SDL_FRect back = toPixels(Application::kBarBackRect, 0, dy);
    if (app.barBackPressed()) {
        fillRoundedRect(renderer_, inset(back, px(4)), px(8), withAlpha(kTint, 45));
    }
    TTF_Font* font = text_.fonts().font(static_cast<int>(std::lround(px(17))), false);
    // A chevron when the font has one, so it reads like every other back button.
    const bool chevron = font != nullptr && TTF_GlyphIsProvided32(font, 0x2039) != 0;
    const SDL_FRect label{back.x + px(10), back.y, back.w - px(10), back.h};
    drawText(chevron ? "\u2039 Back" : "< Back", 17, false, app.barBackPressed() ? darker(kTint, 0.3f) : kTint,
             TextAlign::Left, label);
    if (app.barBackFocused() && !nav.isAnimating()) {
        // Inside the control: the bar sits at the canvas edge, where an outer ring would be cut off.
        drawFocusRing(inset(back, px(9)), px(4));
    }
}

void Painter::drawFocusRing(const SDL_FRect& r, float radius)
{
    // Two bands, dark outside and white inside, so the ring shows on any colour.
    const float outer = px(3);
    const float inner = px(2);
    const float gap = px(2);
    const SDL_FRect white = inset(r, -gap - inner);
    const SDL_FRect dark = inset(white, -outer);
    strokeRoundedRect(renderer_, white, radius + gap + inner, inner, kRingInner);
    strokeRoundedRect(renderer_, dark, radius + gap + inner + outer, outer, kRingOuter);
}

} // namespace bc::sdl
