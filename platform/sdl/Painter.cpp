#include "platform/sdl/Painter.h"

#include "platform/Application.h"
#include "platform/sdl/FontMeasure.h"
#include "platform/sdl/Shapes.h"

#include <algorithm>
#include <cmath>

namespace bc::sdl {

namespace {

SDL_FRect inset(const SDL_FRect& r, float by)
{
    return SDL_FRect{r.x + by, r.y + by, std::max(0.0f, r.w - 2 * by), std::max(0.0f, r.h - 2 * by)};
}

const std::string& textOf(const Control& c)
{
    static const std::string none;
    switch (c.kind()) {
    case ControlKind::Label: return static_cast<const Label&>(c).text();
    case ControlKind::Button: return static_cast<const Button&>(c).title();
    default: return none;
    }
}

const Picture& pictureOf(const Control& c)
{
    static const Picture none;
    switch (c.kind()) {
    case ControlKind::Image: return static_cast<const ImageView&>(c).image();
    case ControlKind::Button: return static_cast<const Button&>(c).icon;
    default: return none;
    }
}

constexpr float kBarTitleSize = 17;

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

Painter::FirstFrame Painter::firstFrameOf(const Application& app)
{
    FirstFrame first;
    const ScreenController* top = app.top();
    if (top == nullptr) {
        return first;
    }
    if (!app.navigation().isNavigationBarHidden()) {
        first.fonts.emplace_back(kBarTitleSize, false);
    }
    for (const auto& slot : top->slots()) {
        const Control& c = *slot.control;
        if (c.isEffectivelyHidden()) {
            continue;
        }
        const Look look = lookOf(c);
        if (const Picture& picture = pictureOf(c); look.picture && !picture.empty()) {
            first.pictures.push_back({picture.name(), app.pictures().pathOf(picture.name()), c.frame().w, c.frame().h});
        }
        if (look.text) {
            first.fonts.emplace_back(std::max(1, static_cast<int>(std::lround(look.text->size))), look.text->bold);
        }
    }
    return first;
}

void Painter::adopt(std::vector<PictureCache::Decoded> pictures)
{
    for (auto& picture : pictures) {
        pictures_.adopt(std::move(picture));
    }
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
    SDL_SetRenderDrawColor(renderer_, palette::kSurround.r, palette::kSurround.g, palette::kSurround.b, 255);
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
    pictures_.endFrame();
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
        drawFocusRing(toPixels(focused->canvasFrame(), dx), px(lookOf(*focused).focusRadius));
    }
}

void Painter::drawControl(const Application& app, const Control& c, float dx, bool live)
{
    const Rect f = c.canvasFrame();
    const Look look = lookOf(c);
    const bool pressed = live && app.pressedControl() == &c;
    const auto place = [&](const Rect& r) { return toPixels(r.offset(f.x, f.y), dx); };
    drawBox(look.body, place(look.body.rect), pressed);
    for (const Box& part : look.parts) {
        drawBox(part, place(part.rect), pressed);
    }
    if (look.picture) {
        drawPicture(app, pictureOf(c), place(*look.picture), look.cover, look.contentAlpha);
    }
    if (const auto& t = look.text) {
        drawText(textOf(c), t->size, t->bold, t->color, t->align, place(t->area), look.contentAlpha);
    }
}

void Painter::drawBox(const Box& box, const SDL_FRect& r, bool pressed)
{
    const Color fill = pressed ? box.pressed : box.fill;
    if (fill.a > 0) {
        fillRoundedRect(renderer_, r, px(box.radius), fill);
    }
    if (box.edge.a > 0 && box.edgeWidth > 0) {
        strokeRoundedRect(renderer_, r, px(box.radius), std::max(1.0f, px(box.edgeWidth)), box.edge);
    }
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

bool Painter::drawText(const std::string& text, float fontSize, bool bold, Color color, TextAlign align,
                       const SDL_FRect& r, std::uint8_t alpha)
{
    if (text.empty()) {
        return false;
    }
    // A text that does not fit its area at its own size wraps, then shrinks.
    const auto key = std::make_tuple(text, px(fontSize), bold, r.w, r.h);
    auto known = fitted_.find(key);
    if (known == fitted_.end()) {
        if (fitted_.size() > TextRenderer::kCapacity * 4) {
            fitted_.clear();
        }
        const TextLook pixels{Rect{0, 0, r.w, r.h}, px(fontSize), bold, color, align};
        known = fitted_.emplace(key, fitText(text, pixels, FontMeasure(text_.fonts()), px(kSmallestText))).first;
    }
    const FittedText& fit = known->second;
    const int size = std::max(1, static_cast<int>(std::lround(fit.size)));
    // Fitted lines are drawn as they were broken: SDL_ttf counts a line feed
    // into the width of its line and would break a line that fits once more.
    const int wrapWidth = fit.fits ? 0 : static_cast<int>(std::floor(r.w));
    const auto block = text_.render(fit.text, size, bold, color, align, wrapWidth);
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

void Painter::drawBar(const Application& app, float dy)
{
    const SDL_FRect bar = toPixels(Rect{0, 0, kCanvasWidth, Application::kBarHeight}, 0, dy);
    fillRoundedRect(renderer_, bar, 0, palette::kBarFill);
    const SDL_FRect line{bar.x, bar.y + bar.h - std::max(1.0f, px(0.5f)), bar.w, std::max(1.0f, px(0.5f))};
    fillRoundedRect(renderer_, line, 0, palette::kHairline);

    const ScreenController* top = app.top();
    const NavigationController& nav = app.navigation();
    if (top != nullptr) {
        const float side = Application::kBarBackRect.w + 4;
        const SDL_FRect titleArea = toPixels(Rect{side, 0, kCanvasWidth - 2 * side, Application::kBarHeight}, 0, dy);
        drawText(top->title(), 17, true, palette::kBarTitle, TextAlign::Center, titleArea);
    }
    if (nav.depth() <= 1) {
        return;
    }
    const SDL_FRect back = toPixels(Application::kBarBackRect, 0, dy);
    if (app.barBackPressed()) {
        fillRoundedRect(renderer_, inset(back, px(4)), px(8), withAlpha(palette::kTint, 45));
    }
    TTF_Font* font = text_.fonts().font(static_cast<int>(std::lround(px(kBarTitleSize))), false);
    // A chevron when the font has one, so it reads like every other back button.
    const bool chevron = font != nullptr && TTF_GlyphIsProvided32(font, 0x2039) != 0;
    const SDL_FRect label{back.x + px(10), back.y, back.w - px(10), back.h};
    drawText((chevron ? "\u2039 " : "< ") + app.translator().translate("Back"), 17, false, app.barBackPressed() ? darker(palette::kTint, 0.3f) : palette::kTint,
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
    strokeRoundedRect(renderer_, white, radius + gap + inner, inner, palette::kRingInner);
    strokeRoundedRect(renderer_, dark, radius + gap + inner + outer, outer, palette::kRingOuter);
}

} // namespace bc::sdl
