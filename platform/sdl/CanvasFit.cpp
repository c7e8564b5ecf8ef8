#include "platform/sdl/CanvasFit.h"

#include <algorithm>
#include <cmath>

namespace bc::sdl {

CanvasFit CanvasFit::into(int pixelWidth, int pixelHeight)
{
    CanvasFit fit;
    const float w = static_cast<float>(std::max(pixelWidth, 1));
    const float h = static_cast<float>(std::max(pixelHeight, 1));
    fit.scale = std::min({w / kCanvasWidth, h / kCanvasHeight, kMaxScale});
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

WindowBox placeWindow(const WindowBox& usable, const WindowBorders& borders)
{
    const int roomW = std::max(1, usable.w - borders.left - borders.right);
    const int roomH = std::max(1, usable.h - borders.top - borders.bottom);
    const float scale = std::min({1.0f, static_cast<float>(roomW) / kCanvasWidth, static_cast<float>(roomH) / kCanvasHeight});
    WindowBox box;
    box.w = std::clamp(static_cast<int>(std::floor(kCanvasWidth * scale)), 1, roomW);
    box.h = std::clamp(static_cast<int>(std::floor(kCanvasHeight * scale)), 1, roomH);
    box.x = usable.x + borders.left + (roomW - box.w) / 2;
    box.y = usable.y + borders.top + (roomH - box.h) / 2;
    return box;
}

bool whollyInside(const WindowBox& window, const WindowBorders& borders, const WindowBox& usable)
{
    return window.x - borders.left >= usable.x && window.y - borders.top >= usable.y &&
           window.x + window.w + borders.right <= usable.x + usable.w &&
           window.y + window.h + borders.bottom <= usable.y + usable.h;
}

} // namespace bc::sdl
