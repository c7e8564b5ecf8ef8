#include "platform/sdl/TextRenderer.h"

#include <algorithm>

namespace bc::sdl {

namespace {

int wrappedAlign(TextAlign align)
{
    switch (align) {
    case TextAlign::Center:
        return TTF_WRAPPED_ALIGN_CENTER;
    case TextAlign::Right:
        return TTF_WRAPPED_ALIGN_RIGHT;
    case TextAlign::Left:
        break;
    }
    return TTF_WRAPPED_ALIGN_LEFT;
}

std::uint32_t packed(Color c)
{
    return (std::uint32_t{c.r} << 24) | (std::uint32_t{c.g} << 16) | (std::uint32_t{c.b} << 8) | c.a;
}

} // namespace

TextRenderer::Block TextRenderer::render(const std::string& text, int pixelSize, bool bold, Color color,
                                         TextAlign align, int wrapWidth)
{
    if (text.empty()) {
        return {};
    }
    wrapWidth = std::max(wrapWidth, 0);
    Key key{text, pixelSize, bold, packed(color), static_cast<int>(align), wrapWidth};
    if (auto it = blocks_.find(key); it != blocks_.end()) {
        it->second.frame = frame_;
        return {it->second.texture.get(), it->second.w, it->second.h};
    }
    TTF_Font* font = fonts_.font(pixelSize, bold);
    if (font == nullptr) {
        return {};
    }
    TTF_SetFontWrappedAlign(font, wrappedAlign(align));
    const SDL_Color fg{color.r, color.g, color.b, 255};
    SurfacePtr surface(TTF_RenderUTF8_Blended_Wrapped(font, text.c_str(), fg, static_cast<Uint32>(wrapWidth)));
    if (surface == nullptr) {
        return {};
    }
    TexturePtr texture(SDL_CreateTextureFromSurface(renderer_, surface.get()));
    if (texture == nullptr) {
        return {};
    }
    SDL_SetTextureBlendMode(texture.get(), SDL_BLENDMODE_BLEND);
    Entry& entry = blocks_[key];
    entry.texture = std::move(texture);
    entry.w = surface->w;
    entry.h = surface->h;
    entry.frame = frame_;
    return {entry.texture.get(), entry.w, entry.h};
}

void TextRenderer::endFrame()
{
    if (blocks_.size() > kCapacity) {
        std::vector<std::uint64_t> used;
        used.reserve(blocks_.size());
        for (const auto& kv : blocks_) {
            used.push_back(kv.second.frame);
        }
        // Everything drawn before the cut-off goes; what this frame drew always stays.
        auto cut = used.begin() + static_cast<std::ptrdiff_t>(blocks_.size() - kCapacity);
        std::nth_element(used.begin(), cut, used.end());
        const std::uint64_t keepFrom = std::min(*cut, frame_);
        std::erase_if(blocks_, [keepFrom](const auto& kv) { return kv.second.frame < keepFrom; });
    }
    ++frame_;
}

} // namespace bc::sdl
