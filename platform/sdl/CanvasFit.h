#pragma once

#include "platform/Geometry.h"

namespace bc::sdl {

// Where the portrait canvas sits in an output of some pixel size: as large as
// fits whole, centred, the rest left to the surround.
struct CanvasFit {
    // Past this, every picture and line of text would be kept in memory at a
    // size nobody can see the benefit of; a larger output shows more surround.
    static constexpr float kMaxScale = 4.0f;

    float scale = 1; // pixels per point
    float x = 0;     // top-left corner of the canvas, in pixels
    float y = 0;

    static CanvasFit into(int pixelWidth, int pixelHeight);
    float width() const { return kCanvasWidth * scale; }
    float height() const { return kCanvasHeight * scale; }
    // An output pixel position in canvas points (may lie off the canvas).
    void toCanvas(float px, float py, float& cx, float& cy) const;
};

// A window's place on the desktop, in screen coordinates.
struct WindowBox {
    int x = 0, y = 0, w = 0, h = 0;
    bool operator==(const WindowBox&) const = default;
};

// What the window manager adds around the window's own area.
struct WindowBorders {
    int top = 0, left = 0, bottom = 0, right = 0;
};

// The window at the canvas's own size, or scaled down to the canvas's shape
// until it and its borders fit inside `usable`, centred there.
WindowBox placeWindow(const WindowBox& usable, const WindowBorders& borders);

// Whether every part of `window` and its borders lies inside `usable`.
bool whollyInside(const WindowBox& window, const WindowBorders& borders, const WindowBox& usable);

} // namespace bc::sdl
