#pragma once

#include <cstdint>

namespace bc {

// Points on the portrait canvas; the renderer scales them to pixels.
constexpr float kCanvasWidth = 375.0f;
constexpr float kCanvasHeight = 667.0f;

struct Rect {
    float x = 0, y = 0, w = 0, h = 0;

    bool contains(float px, float py) const { return px >= x && py >= y && px < x + w && py < y + h; }
    Rect offset(float dx, float dy) const { return {x + dx, y + dy, w, h}; }
};

struct Color {
    std::uint8_t r = 0, g = 0, b = 0, a = 255;
    bool operator==(const Color&) const = default;
};

} // namespace bc
