#pragma once

#include "platform/Geometry.h"

namespace bc::sdl {

// Where the portrait canvas sits in an output of some pixel size: as large as
// fits whole, centred, the rest left to the surround.
struct CanvasFit {
    float scale = 1; // pixels per point
    float x = 0;     // top-left corner of the canvas, in pixels
    float y = 0;

    static CanvasFit into(int pixelWidth, int pixelHeight);
    float width() const { return kCanvasWidth * scale; }
    float height() const { return kCanvasHeight * scale; }
    // An output pixel position in canvas points (may lie off the canvas).
    void toCanvas(float px, float py, float& cx, float& cy) const;
};

} // namespace bc::sdl
