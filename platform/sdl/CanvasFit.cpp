#include "platform/sdl/CanvasFit.h"

#include <algorithm>
#include <cmath>

namespace bc::sdl {

CanvasFit CanvasFit::into(int pixelWidth, int pixelHeight)
{
    CanvasFit fit;
    const float w = static_cast<float>(std::max(pixelWidth, 1));
    const float h = static_cast<float>(std::max(pixelHeight, 1));
    fit.scale = std::min(w / kCanvasWidth, h / kCanvasHeight);
    // Whole pixels keep the edges of the canvas and of text crisp; rounding,
    // not flooring, so a canvas that fills a side exactly is not pushed off it.
    fit.x = std::max(0.0f, std::round((w - fit.width()) / 2.0f));
    fit.y = std::max(0.0f, std::round((h - fit.height()) / 2.0f));
    return fit;
}

void CanvasFit::toCanvas(float px, float py, float& cx, float& cy) const
{
    cx = (px - x) / scale;
    cy = (py - y) / scale;
}

} // namespace bc::sdl
