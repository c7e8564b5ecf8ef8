#pragma once

#include "platform/TextFit.h"
#include "platform/sdl/FontSource.h"

#include <cmath>

namespace bc::sdl {

// Measures with the game's own typeface, in pixels at whole pixel sizes: what
// the window draws is what was measured.
class FontMeasure : public TextMeasure {
public:
    explicit FontMeasure(FontSource& fonts) : fonts_(fonts) {}

    float width(const std::string& line, float size, bool bold) const override
    {
        int w = 0;
        int h = 0;
        TTF_Font* font = fonts_.font(pixels(size), bold);
        return font != nullptr && TTF_SizeUTF8(font, line.c_str(), &w, &h) == 0 ? static_cast<float>(w) : 0.0f;
    }
    float lineHeight(float size, bool bold) const override
    {
        TTF_Font* font = fonts_.font(pixels(size), bold);
        return font != nullptr ? static_cast<float>(TTF_FontLineSkip(font)) : size;
    }

    bool hasGlyph(char32_t character) const override
    {
        TTF_Font* font = fonts_.font(17, false);
        return font != nullptr && TTF_GlyphIsProvided32(font, character) != 0;
    }

private:
    static int pixels(float size) { return std::max(1, static_cast<int>(std::lround(size))); }
    FontSource& fonts_;
};

} // namespace bc::sdl
