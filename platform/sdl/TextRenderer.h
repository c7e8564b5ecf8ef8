#pragma once

#include "platform/Control.h"
#include "platform/sdl/FontSource.h"
#include "platform/sdl/Handles.h"

#include <cstdint>
#include <map>
#include <string>
#include <tuple>

namespace bc::sdl {

// Turns text into textures: wrapped to a width, line feeds kept (an empty line
// still takes a line's height), lines aligned. A block drawn in one frame is
// kept for the next, so an animation does not rasterise the same words again.
class TextRenderer {
public:
    TextRenderer(SDL_Renderer* renderer, FontSource& fonts) : renderer_(renderer), fonts_(fonts) {}

    struct Block {
        SDL_Texture* texture = nullptr; // null for empty text or a font failure
        int w = 0;
        int h = 0;
    };
    Block render(const std::string& text, int pixelSize, bool bold, Color color, TextAlign align, int wrapWidth);

    // Called after each frame: forgets the blocks neither this frame nor the
    // one before it drew.
    void endFrame();
    void clear() { blocks_.clear(); }

    FontSource& fonts() { return fonts_; }

private:
    using Key = std::tuple<std::string, int, bool, std::uint32_t, int, int>;
    struct Entry {
        TexturePtr texture;
        int w = 0;
        int h = 0;
        std::uint64_t frame = 0;
    };

    SDL_Renderer* renderer_;
    FontSource& fonts_;
    std::map<Key, Entry> blocks_;
    std::uint64_t frame_ = 1;
};

} // namespace bc::sdl
