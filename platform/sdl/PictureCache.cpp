#include "platform/sdl/PictureCache.h"

#include "platform/Console.h"

#include <SDL_image.h>

namespace bc::sdl {

SDL_Texture* PictureCache::texture(const std::string& name, const std::filesystem::path& file)
{
    if (name.empty() || broken_.count(name) != 0) {
        return nullptr;
    }
    ++clock_;
    if (auto it = entries_.find(name); it != entries_.end()) {
        it->second.lastUse = clock_;
        return it->second.texture.get();
    }
    SurfacePtr surface(IMG_Load(file.string().c_str()));
    if (surface == nullptr) {
        broken_.insert(name);
        warn("picture " + name + " cannot be shown: " + IMG_GetError());
        return nullptr;
    }
    TexturePtr texture(SDL_CreateTextureFromSurface(renderer_, surface.get()));
    if (texture == nullptr) {
        broken_.insert(name);
        warn("picture " + name + " cannot be shown: " + SDL_GetError());
        return nullptr;
    }
    SDL_SetTextureBlendMode(texture.get(), SDL_BLENDMODE_BLEND);
    // Pictures are drawn smaller than they are stored; smoothing avoids jaggies.
    SDL_SetTextureScaleMode(texture.get(), SDL_ScaleModeLinear);
    if (entries_.size() >= kCapacity) {
        evictOldest();
    }
    auto& entry = entries_[name];
    entry.texture = std::move(texture);
    entry.lastUse = clock_;
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
        entries_.erase(oldest);
    }
}

} // namespace bc::sdl
