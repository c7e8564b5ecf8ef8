#include "platform/sdl/PictureCache.h"

#include "platform/Console.h"

#include <SDL_image.h>

#include <algorithm>

namespace bc::sdl {

namespace {

// Halving first, then one bilinear pass: each halving averages whole 2×2
// blocks, so a picture shown at a third of its size keeps its fine lines.
SurfacePtr scaled(SDL_Surface* picture, SDL_Rect src, int w, int h)
{
    SurfacePtr current;
    SDL_Surface* from = picture;
    while (src.w >= 2 * w && src.h >= 2 * h) {
        SurfacePtr half(SDL_CreateRGBSurfaceWithFormat(0, src.w / 2, src.h / 2, 32, SDL_PIXELFORMAT_ARGB8888));
        if (half == nullptr || SDL_SoftStretchLinear(from, &src, half.get(), nullptr) != 0) {
            return nullptr;
        }
        current = std::move(half);
        from = current.get();
        src = SDL_Rect{0, 0, from->w, from->h};
    }
    if (current != nullptr && src.w == w && src.h == h) {
        return current; // the halving landed on the size asked for
    }
    SurfacePtr out(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888));
    if (out == nullptr || SDL_SoftStretchLinear(from, &src, out.get(), nullptr) != 0) {
        return nullptr;
    }
    return out;
}

} // namespace

SurfacePtr PictureCache::decode(const std::string& name, const std::filesystem::path& file)
{
    SurfacePtr loaded(IMG_Load(file.string().c_str()));
    SurfacePtr argb;
    if (loaded != nullptr) {
        argb.reset(loaded->format->format == SDL_PIXELFORMAT_ARGB8888
                       ? loaded.release()
                       : SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    }
    if (argb == nullptr) {
        broken_.insert(name);
        warn("picture " + name + " cannot be shown: " + IMG_GetError());
        return nullptr;
    }
    if (sizes_.count(name) == 0) {
        const bool opaque = loaded != nullptr ? loaded->format->Amask == 0 && !SDL_HasColorKey(loaded.get())
                                              : false;
        sizes_[name] = Size{argb->w, argb->h, opaque};
    }
    return argb;
}

std::optional<PictureCache::Size> PictureCache::size(const std::string& name, const std::filesystem::path& file)
{
    if (name.empty() || broken_.count(name) != 0) {
        return std::nullopt;
    }
    if (auto it = sizes_.find(name); it != sizes_.end()) {
        return it->second;
    }
    pending_ = decode(name, file);
    pendingName_ = name;
    if (pending_ == nullptr) {
        return std::nullopt;
    }
    return sizes_[name];
}

SDL_Texture* PictureCache::texture(const std::string& name, const std::filesystem::path& file, const SDL_Rect& src,
                                   int w, int h)
{
    const auto known = size(name, file);
    if (!known || w <= 0 || h <= 0) {
        return nullptr;
    }
    SDL_Rect cut = src;
    cut.x = std::clamp(cut.x, 0, known->w - 1);
    cut.y = std::clamp(cut.y, 0, known->h - 1);
    cut.w = std::clamp(cut.w, 1, known->w - cut.x);
    cut.h = std::clamp(cut.h, 1, known->h - cut.y);
    ++clock_;
    Key key{name, cut.x, cut.y, cut.w, cut.h, w, h};
    if (auto it = entries_.find(key); it != entries_.end()) {
        it->second.lastUse = clock_;
        return it->second.texture.get();
    }

    SurfacePtr picture = pendingName_ == name ? std::move(pending_) : decode(name, file);
    pending_.reset();
    pendingName_.clear();
    if (picture == nullptr) {
        return nullptr;
    }
    const bool whole = cut.x == 0 && cut.y == 0 && cut.w == picture->w && cut.h == picture->h;
    SurfacePtr shown = (whole && w == picture->w && h == picture->h) ? std::move(picture) : scaled(picture.get(), cut, w, h);
    picture.reset();
    TexturePtr texture(shown != nullptr ? SDL_CreateTextureFromSurface(renderer_, shown.get()) : nullptr);
    if (texture == nullptr) {
        broken_.insert(name);
        warn("picture " + name + " cannot be shown: " + SDL_GetError());
        return nullptr;
    }
    // Copied 1:1 from now on; an opaque picture needs no blending at all.
    SDL_SetTextureBlendMode(texture.get(), known->opaque ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
    const std::size_t bytes = static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4;
    while (!entries_.empty() && (entries_.size() >= kCapacity || bytes_ + bytes > kBudgetBytes)) {
        evictOldest();
    }
    auto& entry = entries_[key];
    entry.texture = std::move(texture);
    entry.bytes = bytes;
    entry.lastUse = clock_;
    bytes_ += bytes;
    return entry.texture.get();
}

void PictureCache::evictOldest()
{
    auto oldest = entries_.begin();
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->second.lastUse < oldest->second.lastUse) {
            oldest = it;
        }
    }
    if (oldest != entries_.end()) {
        bytes_ -= oldest->second.bytes;
        entries_.erase(oldest);
    }
}

} // namespace bc::sdl
