#pragma once

#include "platform/Control.h"
#include "platform/sdl/FontSource.h"
#include "platform/sdl/Handles.h"

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace bc::sdl {

// Turns text into textures: wrapped to a width (0: only at its line feeds),
// line feeds kept (an empty line still takes a line's height), lines aligned. A block drawn in one frame is
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

    // Blocks kept beyond those of the current frame: enough for the screens
    // a child goes back to, so a pop does not rasterise them all again.
    static constexpr std::size_t kCapacity = 64;

    // Called after each frame: forgets the blocks drawn longest ago once more
    // than kCapacity are kept.
    void endFrame();
    std::size_t count() const { return blocks_.size(); }
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
