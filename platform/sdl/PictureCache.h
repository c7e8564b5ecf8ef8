#pragma once

#include "platform/sdl/Handles.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>

namespace bc::sdl {

// Decoded pictures as textures of one renderer. A picture is decoded the first
// time something shows it; only the most recently shown few stay, since the
// full-screen backgrounds are several megabytes each once decoded.
class PictureCache {
public:
    static constexpr std::size_t kCapacity = 12;

    explicit PictureCache(SDL_Renderer* renderer) : renderer_(renderer) {}

    // Null when the file cannot be decoded (warned about once per name).
    SDL_Texture* texture(const std::string& name, const std::filesystem::path& file);
    // Textures die with a lost render device; decode again on demand.
    void clear() { entries_.clear(); }
    std::size_t size() const { return entries_.size(); }

private:
    struct Entry {
        TexturePtr texture;
        std::uint64_t lastUse = 0;
    };
    void evictOldest();

    SDL_Renderer* renderer_;
    std::map<std::string, Entry> entries_;
    std::set<std::string> broken_;
    std::uint64_t clock_ = 0;
};

} // namespace bc::sdl
