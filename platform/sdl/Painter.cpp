#include "platform/sdl/Painter.h"

#include "platform/Application.h"
#include "platform/sdl/FontMeasure.h"
#include "platform/sdl/Shapes.h"

#include <algorithm>
#include <cmath>

namespace bc::sdl {

namespace {

const Picture& pictureOf(const Control& c)
{
    static const Picture none;
    switch (c.kind()) {
    case ControlKind::Image: return static_cast<const ImageView&>(c).image();
    case ControlKind::Button: return static_cast<const Button&>(c).icon;
    default: return none;
    }
}

} // namespace

Painter::Painter(SDL_Renderer* renderer, FontSource& fonts)
    : renderer_(renderer), text_(renderer, fonts), measure_(fonts), fitter_(measure_), pictures_(renderer)
{
    SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
}

Painter::FirstFrame Painter::firstFrameOf(const Application& app)
{
    FirstFrame first;
    if (app.top() == nullptr) {
        return first;
    }
    // The fonts are not found yet: the sizes asked for are the looks' own,
    // before any text is fitted.
    const PlainMeasure plain;
    TextFitter fitter(plain);
    const Frame frame = describeFrame(app, app.runLoop().now(), fitter);
    if (!frame.bar.hidden) {
        first.fonts.emplace_back(static_cast<int>(frame.bar.title ? frame.bar.title->look.size : 17), false);
    }
    for (const FrameControl& c : frame.screens.back().controls) {
        if (c.hidden) {
            continue;
        }
        if (const Picture& picture = pictureOf(*c.control); c.look.picture && !picture.empty()) {
            first.pictures.push_back({picture.name(), app.pictures().pathOf(picture.name()), c.control->frame().w,
                                      c.control->frame().h});
        }
        if (c.text) {
            first.fonts.emplace_back(std::max(1, static_cast<int>(std::lround(c.text->look.size))), c.text->look.bold);
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

Frame Painter::describe(const Application& app, const CanvasFit& fit, double now)
{
    return describeFrame(app, now, fitter_, fit.scale);
}

void Painter::paint(const Application& app, const CanvasFit& fit, double now)
{
    paint(describe(app, fit, now), app.pictures(), fit);
}

void Painter::paint(const Frame& frame, const PictureCatalog& pictures, const CanvasFit& fit)
{
    fit_ = fit;
    SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
    SDL_RenderSetClipRect(renderer_, nullptr);
    SDL_SetRenderDrawColor(renderer_, frame.surround.r, frame.surround.g, frame.surround.b, 255);
    SDL_RenderClear(renderer_);

    const SDL_Rect canvas{static_cast<int>(fit_.x), static_cast<int>(fit_.y),
                          static_cast<int>(std::lround(fit_.width())), static_cast<int>(std::lround(fit_.height()))};
    SDL_RenderSetClipRect(renderer_, &canvas);
    for (const FrameScreen& screen : frame.screens) {
        fillRoundedRect(renderer_, toPixels(Rect{0, 0, frame.width, frame.height}, screen.dx), 0, screen.background);
        drawScreen(pictures, screen);
    }
    if (frame.focus && !frame.focus->onBar) {
        drawRing(*frame.focus);
    }
    if (frame.bar.shown > 0.0f) {
        drawBar(frame.bar);
        if (frame.focus && frame.focus->onBar) {
            drawRing(*frame.focus);
        }
    }
    SDL_RenderSetClipRect(renderer_, nullptr);
    text_.endFrame();
    pictures_.endFrame();
}

void Painter::drawScreen(const PictureCatalog& pictures, const FrameScreen& screen)
{
    for (const FrameControl& c : screen.controls) {
        if (!c.hidden) {
            drawControl(pictures, c, screen.dx);
        }
    }
}

void Painter::drawControl(const PictureCatalog& pictures, const FrameControl& c, float dx)
{
    const Look& look = c.look;
    const auto place = [&](const Rect& r) { return toPixels(r.offset(c.frame.x, c.frame.y), dx); };
    drawBox(look.body, place(look.body.rect), c.pressed);
    for (const Box& part : look.parts) {
        drawBox(part, place(part.rect), c.pressed);
    }
    if (look.picture) {
        drawPicture(pictures, pictureOf(*c.control).name(), place(*look.picture), look.cover, look.contentAlpha);
    }
    if (c.text) {
        drawText(*c.text, dx, look.contentAlpha);
    }
}

void Painter::drawBox(const Box& box, const SDL_FRect& r, bool pressed)
{
    const Color fill = pressed ? box.pressed : box.fill;
    if (fill.a > 0) {
        // Never thinner than a pixel (the bar's hairline), kept to its lower edge.
        SDL_FRect at = r;
        if (at.h < 1.0f) {
            at.y += at.h - 1.0f;
            at.h = 1.0f;
        }
        fillRoundedRect(renderer_, at, px(box.radius), fill);
    }
    if (box.edge.a > 0 && box.edgeWidth > 0) {
        strokeRoundedRect(renderer_, r, px(box.radius), std::max(1.0f, px(box.edgeWidth)), box.edge);
    }
}

void Painter::drawPicture(const PictureCatalog& pictures, const std::string& picture, const SDL_FRect& r, bool fill,
                          std::uint8_t alpha)
{
    if (picture.empty() || r.w <= 0 || r.h <= 0) {
        return;
    }
    const auto file = pictures.pathOf(picture);
    const auto size = pictures_.size(picture, file);
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
    SDL_Texture* texture = pictures_.texture(picture, file, src, at.w, at.h);
    if (texture == nullptr) {
        return;
    }
    SDL_SetTextureBlendMode(texture, size->opaque && alpha == 255 ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
    SDL_SetTextureAlphaMod(texture, alpha);
    SDL_RenderCopy(renderer_, texture, nullptr, &at);
}

void Painter::drawText(const PlacedText& text, float dx, std::uint8_t alpha)
{
    const FittedText& fit = text.fitted;
    if (fit.text.empty()) {
        return;
    }
    const SDL_FRect r = toPixels(text.look.area, dx);
    const TextAlign align = text.look.align;
    const Color color = text.look.color;
    const int size = std::max(1, static_cast<int>(std::lround(px(fit.size))));
    // Fitted lines are drawn as they were broken: SDL_ttf counts a line feed
    // into the width of its line and would break a line that fits once more.
    const int wrapWidth = fit.fits ? 0 : static_cast<int>(std::floor(r.w));
    const auto block = text_.render(fit.text, size, text.look.bold, color, align, wrapWidth);
    if (block.texture == nullptr) {
        return;
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
}

void Painter::drawBar(const FrameBar& bar)
{
    drawBox(bar.body, toPixels(bar.body.rect), false);
    drawBox(bar.hairline, toPixels(bar.hairline.rect), false);
    if (bar.title) {
        drawText(*bar.title, 0);
    }
    if (!bar.back) {
        return;
    }
    if (bar.backHighlight) {
        drawBox(*bar.backHighlight, toPixels(bar.backHighlight->rect), false);
    }
    if (bar.backLabel) {
        drawText(*bar.backLabel, 0);
    }
}

void Painter::drawRing(const FocusRing& ring)
{
    for (const Box* band : {&ring.inner, &ring.outer}) {
        strokeRoundedRect(renderer_, toPixels(band->rect), px(band->radius), px(band->edgeWidth), band->edge);
    }
}

} // namespace bc::sdl
